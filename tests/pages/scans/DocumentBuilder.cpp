#include "DocumentBuilder.h"

#include <vector>

#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/InvoiceRecord.h"
#include "host/data/PurchaseOrderRecord.h"
#include "host/data/SalesOrderRecord.h"
#include "host/file/RecordFile.h"

namespace kelo::test {

namespace {

// The fields the three document kinds share, as each layout names them.
struct DocumentFields {
    int file, index;
    uint32_t length;
    const Field &number, &name, &a1, &a2, &a3, &a4, &date;
};

uint32_t write(DataContext& ctx, const DocumentFields& f, uint32_t recNo,
               const DocumentBuilder::Document& d, void (*extra)(uint8_t*, const DocumentBuilder::Document&))
{
    std::vector<uint8_t> rec(f.length, 0);
    uint8_t* p = rec.data();
    SetU32(p, f.number, d.number);
    SetText(p, f.name, d.name);
    SetF64(p, f.a1, d.amounts[0]);
    SetF64(p, f.a2, d.amounts[1]);
    SetF64(p, f.a3, d.amounts[2]);
    SetF64(p, f.a4, d.amounts[3]);
    SetU16(p, f.date, d.date);
    extra(p, d);
    if (d.deleted) p[f.name.offset] = 0xFF;
    WriteRec(ctx.File(f.file), recNo, p);
    const DocumentKey key = BuildDocumentKey(d.number, recNo);
    AddKey(ctx.File(f.index), key.data(), recNo, 0, 1);
    return recNo;
}

}  // namespace

uint32_t DocumentBuilder::AddInvoice(const Document& d)
{
    static const DocumentFields f{kFileInvoices,   kFileInvoiceIndex, kInvoiceLength,
                                  kInvoiceNumber,  kInvoiceCustomerName, kInvoiceAmount1,
                                  kInvoiceAmount2, kInvoiceAmount3,   kInvoiceAmount4,
                                  kInvoiceDate};
    return write(m_context, f, Next(kFileInvoices), d, [](uint8_t* p, const Document& doc) {
        SetI8(p, kInvoiceType, doc.type);
        SetU8(p, kInvoicePrinted, doc.printed);
        SetU8(p, kInvoicePosted, doc.posted);
    });
}

uint32_t DocumentBuilder::AddSalesOrder(const Document& d)
{
    static const DocumentFields f{kFileSalesOrders,   kFileSalesOrderIndex,    kSalesOrderLength,
                                  kSalesOrderNumber,  kSalesOrderCustomerName, kSalesOrderAmount1,
                                  kSalesOrderAmount2, kSalesOrderAmount3,      kSalesOrderAmount4,
                                  kSalesOrderDate};
    return write(m_context, f, Next(kFileSalesOrders), d, [](uint8_t* p, const Document& doc) {
        SetI8(p, kSalesOrderStatus, doc.status);
    });
}

uint32_t DocumentBuilder::AddPurchaseOrder(const Document& d)
{
    static const DocumentFields f{
        kFilePurchaseOrders,   kFilePurchaseOrderIndex,    kPurchaseOrderLength,
        kPurchaseOrderNumber,  kPurchaseOrderSupplierName, kPurchaseOrderAmount1,
        kPurchaseOrderAmount2, kPurchaseOrderAmount3,      kPurchaseOrderAmount4,
        kPurchaseOrderDate};
    return write(m_context, f, Next(kFilePurchaseOrders), d, [](uint8_t* p, const Document& doc) {
        SetI8(p, kPurchaseOrderStatus, doc.status);
    });
}

}  // namespace kelo::test
