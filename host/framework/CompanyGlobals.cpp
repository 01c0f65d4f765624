#include "host/framework/CompanyGlobals.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "host/data/FileMap.h"
#include "host/data/GlobalBlock.h"
#include "host/data/InvoiceRecord.h"
#include "host/data/PurchaseOrderRecord.h"
#include "host/data/SalesOrderRecord.h"
#include "host/data/SetupRecord.h"
#include "host/file/RecordFile.h"

namespace kelo {

namespace {

struct LedgerAging {
    const Field& monthFrom;
    const Field& monthTo;
    const Field* periodsFrom[4];
    const Field* periodsTo[4];
};

void CopyAging(GlobalBlock& block, const uint8_t* setup, const LedgerAging& ledger)
{
    block.SetU8(ledger.monthTo, GetU8(setup, ledger.monthFrom));
    bool set = false;
    for (const Field* f : ledger.periodsFrom) set = set || GetI16(setup, *f) != 0;
    static constexpr int16_t kUnset[4] = {30, 60, 90, 120};
    for (int i = 0; i < 4; ++i)
        block.SetI16(*ledger.periodsTo[i], set ? GetI16(setup, *ledger.periodsFrom[i]) : kUnset[i]);
}

struct LastNumbers {
    uint32_t invoice = 0;
    uint32_t creditNote = 0;
};

// The document files are walked from their highest number down, in their index's order, so
// only the last few documents are read.
LastNumbers LastInvoiceNumbers(DataContext& context)
{
    LastNumbers last;
    DataFile index = context.File(kFileInvoiceIndex);
    DataFile data = context.File(kFileInvoices);
    if (!FileExists(index) || !FileExists(data)) return last;
    std::vector<uint8_t> entry(index->recordLength + 4);
    std::vector<uint8_t> rec(kInvoiceLength);
    for (uint32_t pos = RecCount(index); pos >= 1 && (!last.invoice || !last.creditNote); --pos) {
        if (!ReadRec(index, pos, entry.data())) break;
        uint32_t recno = 0;
        std::memcpy(&recno, entry.data() + index->recordLength, sizeof recno);
        if (!ReadRec(data, recno, rec.data()) || rec[kInvoiceCustomerName.offset] == 0xFF) continue;
        const int type = GetI8(rec.data(), kInvoiceType);
        const uint32_t number = GetU32(rec.data(), kInvoiceNumber);
        if (type >= 0 && type <= 2) last.invoice = std::max(last.invoice, number);
        if (type == 3 || type == 4) last.creditNote = std::max(last.creditNote, number);
    }
    return last;
}

uint32_t LastOrderNumber(DataContext& context, int dataFile, int indexFile, const Field& number,
                         const Field& name)
{
    DataFile index = context.File(indexFile);
    DataFile data = context.File(dataFile);
    if (!FileExists(index) || !FileExists(data)) return 0;
    std::vector<uint8_t> entry(index->recordLength + 4);
    std::vector<uint8_t> rec(data->recordLength);
    for (uint32_t pos = RecCount(index); pos >= 1; --pos) {
        if (!ReadRec(index, pos, entry.data())) break;
        uint32_t recno = 0;
        std::memcpy(&recno, entry.data() + index->recordLength, sizeof recno);
        if (ReadRec(data, recno, rec.data()) && rec[name.offset] != 0xFF)
            return GetU32(rec.data(), number);
    }
    return 0;
}

}  // namespace

void FillCompanyGlobals(GlobalBlock& block, DataContext& context)
{
    std::vector<uint8_t> setup(kSetupLength, 0);
    if (FileExists(context.File(kFileSetup)) && !ReadRec(context.File(kFileSetup), 1, setup.data()))
        std::fill(setup.begin(), setup.end(), 0);
    const uint8_t* s = setup.data();
    CopyAging(block, s,
              {kSetupCustomerMonthAging, kGlobalCustomerMonthAging,
               {&kSetupCustomerPeriod1, &kSetupCustomerPeriod2, &kSetupCustomerPeriod3,
                &kSetupCustomerOlder},
               {&kGlobalCustomerPeriod1, &kGlobalCustomerPeriod2, &kGlobalCustomerPeriod3,
                &kGlobalCustomerOlder}});
    CopyAging(block, s,
              {kSetupSupplierMonthAging, kGlobalSupplierMonthAging,
               {&kSetupSupplierPeriod1, &kSetupSupplierPeriod2, &kSetupSupplierPeriod3,
                &kSetupSupplierOlder},
               {&kGlobalSupplierPeriod1, &kGlobalSupplierPeriod2, &kGlobalSupplierPeriod3,
                &kGlobalSupplierOlder}});
    block.SetU16(kGlobalAgeAsCurrent, GetU16(s, kSetupAgeAsCurrent));
    block.SetU16(kGlobalLastBackup, GetU16(s, kSetupLastBackup));
    block.SetU16(kGlobalLastRestore, GetU16(s, kSetupLastRestore));
    block.SetU16(kGlobalClearAuditRan, GetU16(s, kSetupClearAuditRan));
    block.SetU16(kGlobalClearStockRan, GetU16(s, kSetupClearStockRan));

    const LastNumbers invoices = LastInvoiceNumbers(context);
    block.SetU32(kGlobalLastInvoice, invoices.invoice);
    block.SetU32(kGlobalLastCreditNote, invoices.creditNote);
    block.SetU32(kGlobalLastSalesOrder,
                 LastOrderNumber(context, kFileSalesOrders, kFileSalesOrderIndex,
                                 kSalesOrderNumber, kSalesOrderCustomerName));
    block.SetU32(kGlobalLastPurchaseOrder,
                 LastOrderNumber(context, kFilePurchaseOrders, kFilePurchaseOrderIndex,
                                 kPurchaseOrderNumber, kPurchaseOrderSupplierName));
}

}  // namespace kelo
