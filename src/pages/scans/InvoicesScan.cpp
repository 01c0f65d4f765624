#include "src/pages/scans/InvoicesScan.h"

#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/InvoiceRecord.h"
#include "host/framework/BusinessObjects.h"
#include "src/pages/scans/IndexedListScan.h"

namespace kelo {

namespace {

const IndexedList kInvoiceFile{&CBInvoice::GetStaticResourcesFor, kFileInvoices,
                               kFileInvoiceIndex,                 kInvoiceLength,
                               kDocumentKeyLength,                kInvoiceCustomerName};

uint32_t classify(const uint8_t* rec)
{
    return ClassifyInvoiceDocument(GetI8(rec, kInvoiceType), GetU8(rec, kInvoicePrinted),
                                   GetU8(rec, kInvoicePosted));
}

void build(const uint8_t* rec, const CKColumnSet&, std::span<uint8_t> row)
{
    WriteDocumentRow(row, GetU32(rec, kInvoiceNumber), GetU16(rec, kInvoiceDate),
                     GetText(rec, kInvoiceCustomerName), InvoiceValueOf(rec));
}

}  // namespace

uint32_t ClassifyInvoiceDocument(int8_t type, uint8_t printed, uint8_t posted)
{
    uint32_t bits = 0;
    if (type >= 0 && type <= 2) {
        if (printed == 0) bits |= kInvToPrint;
        if (posted == 0) bits |= kInvToPost;
    } else if (type == 3 || type == 4) {
        if (printed == 0) bits |= kCrdToPrint;
        if (posted == 0) bits |= kCrdToPost;
    }
    return bits;
}

double InvoiceValueOf(const uint8_t* rec)
{
    double value = GetF64(rec, kInvoiceAmount1) + GetF64(rec, kInvoiceAmount2);
    value += GetF64(rec, kInvoiceAmount3);
    value += GetF64(rec, kInvoiceAmount4);
    return value;
}

std::vector<TaskCategory> InvoicesCategories(const std::string&, const CBAccessManager&)
{
    return {{"Inv to Print", kInvToPrint},
            {"Inv to Post", kInvToPost},
            {"Crd to Print", kCrdToPrint},
            {"Crd to Post", kCrdToPost}};
}

const CKColumnSet& InvoicesColumns() { return DocumentColumns(); }

void ScanInvoices(const ScanInput& input, ScanSink& sink)
{
    ScanIndexedList(input, sink, kInvoiceFile, DocumentColumns(), &classify, &build);
}

const TaskScan& InvoicesTaskScan()
{
    static const TaskScan scan{kInvoicesCommand, "Invoices", &InvoicesCategories,
                               &InvoicesColumns, &ScanInvoices};
    return scan;
}

}  // namespace kelo
