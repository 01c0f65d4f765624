// What the host copies from the company into its global block: the ledgers' aging settings and
// housekeeping dates from the setup record, the last document numbers from the document files.
#include "host/framework/CompanyGlobals.h"

#include <vector>

#include <gtest/gtest.h>

#include "../file/TempCompany.h"
#include "host/data/GlobalBlock.h"
#include "host/data/IndexKeys.h"
#include "host/data/InvoiceRecord.h"
#include "host/data/PurchaseOrderRecord.h"
#include "host/data/SalesOrderRecord.h"
#include "host/data/SetupRecord.h"
#include "host/file/RecordFile.h"

namespace kelo {
namespace {

using test::TempCompany;

// A document record of one of the three document files and its index entry.
void addDocument(DataContext& ctx, int file, int index, uint32_t recno, uint32_t number,
                 const Field& numberField, const Field& nameField, int type = -1)
{
    std::vector<uint8_t> rec(ctx.File(file)->recordLength, 0);
    SetU32(rec.data(), numberField, number);
    SetText(rec.data(), nameField, type == 99 ? "" : "Customer");
    if (type == 99) rec[nameField.offset] = 0xFF;  // deleted, left in the index on purpose
    if (type >= 0 && type != 99) SetI8(rec.data(), kInvoiceType, int8_t(type));
    WriteRec(ctx.File(file), recno, rec.data());
    const DocumentKey key = BuildDocumentKey(number, recno);
    AddKey(ctx.File(index), key.data(), recno, 0, 1);
}

struct Filled {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(kGlobalBlockLength, 0);
    GlobalBlock block{bytes.data()};
};

TEST(CompanyGlobals, LastDocumentNumbersComeFromTheDocumentFiles)
{
    TempCompany co;
    DataContext& c = co.Context();
    // Invoices 0-2, credit notes 3-4; the highest number is a deleted credit note, and the
    // highest live document is an invoice of type 2 added before a lower credit note.
    const int invoices[][2] = {{1001, 0}, {1002, 3}, {1007, 2}, {1005, 4}, {1009, 99}, {1008, 7}};
    uint32_t recno = 0;
    for (const auto& [number, type] : invoices)
        addDocument(c, kFileInvoices, kFileInvoiceIndex, ++recno, uint32_t(number), kInvoiceNumber,
                    kInvoiceCustomerName, type);
    recno = 0;
    for (uint32_t number : {20u, 31u, 25u})
        addDocument(c, kFileSalesOrders, kFileSalesOrderIndex, ++recno, number, kSalesOrderNumber,
                    kSalesOrderCustomerName);
    addDocument(c, kFilePurchaseOrders, kFilePurchaseOrderIndex, 1, 7, kPurchaseOrderNumber,
                kPurchaseOrderSupplierName);

    Filled f;
    FillCompanyGlobals(f.block, c);
    EXPECT_EQ(f.block.U32(kGlobalLastInvoice), 1007u);
    EXPECT_EQ(f.block.U32(kGlobalLastCreditNote), 1005u);
    EXPECT_EQ(f.block.U32(kGlobalLastSalesOrder), 31u);
    EXPECT_EQ(f.block.U32(kGlobalLastPurchaseOrder), 7u);
}

TEST(CompanyGlobals, AgingAndHousekeepingComeFromTheSetupRecord)
{
    TempCompany co;
    DataContext& c = co.Context();
    Filled empty;
    FillCompanyGlobals(empty.block, c);
    EXPECT_EQ(empty.block.I16(kGlobalCustomerPeriod1), 30) << "never set: 30/60/90/120";
    EXPECT_EQ(empty.block.I16(kGlobalSupplierOlder), 120);

    std::vector<uint8_t> setup(kSetupLength, 0);
    SetU8(setup.data(), kSetupSupplierMonthAging, 1);
    SetI16(setup.data(), kSetupCustomerPeriod1, 14);
    SetI16(setup.data(), kSetupCustomerOlder, 56);
    SetU16(setup.data(), kSetupLastBackup, 46000);
    WriteRec(c.File(kFileSetup), 1, setup.data());

    Filled f;
    FillCompanyGlobals(f.block, c);
    EXPECT_EQ(f.block.U8(kGlobalSupplierMonthAging), 1);
    EXPECT_EQ(f.block.I16(kGlobalCustomerPeriod1), 14);
    EXPECT_EQ(f.block.I16(kGlobalCustomerOlder), 56);
    EXPECT_EQ(f.block.I16(kGlobalSupplierPeriod2), 60) << "the suppliers' periods were not set";
    EXPECT_EQ(f.block.U16(kGlobalLastBackup), 46000u);
}

}  // namespace
}  // namespace kelo
