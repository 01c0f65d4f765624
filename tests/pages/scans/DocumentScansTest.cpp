// The Invoices, Sales Orders, Purchase Orders and Stock scans: each page's rule at its edges,
// then the walk they share (the first-key search, the deleted rule, the value, a missing file).

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DocumentBuilder.h"
#include "RecordingSink.h"
#include "host/data/FileMap.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "src/pages/scans/IndexedListScan.h"
#include "src/pages/scans/InvoicesScan.h"
#include "src/pages/scans/PurchaseOrdersScan.h"
#include "src/pages/scans/SalesOrdersScan.h"
#include "src/pages/scans/StockScan.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
namespace {

using test::DocumentBuilder;
using test::RecordingSink;

constexpr uint32_t kAllInvoiceBits = kInvToPrint | kInvToPost | kCrdToPrint | kCrdToPost;

TEST(ClassifyInvoiceDocument, TypesAndFlags)
{
    struct Case {
        int8_t type;
        uint8_t printed, posted;
        uint32_t bits;
    } const cases[] = {
        {0, 0, 0, kInvToPrint | kInvToPost},  // neither printed nor posted: both categories
        {2, 1, 0, kInvToPost},
        {0, 1, 1, 0},
        {0, 0x80, 0xFF, 0},  // any non-zero flag counts as done
        {3, 1, 0, kCrdToPost},  // a printed, unposted credit note: only "Crd to Post"
        {4, 0, 0, kCrdToPrint | kCrdToPost},
        {5, 0, 0, 0},  // neither kind
        {-1, 0, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyInvoiceDocument(c.type, c.printed, c.posted), c.bits)
            << "type " << int(c.type) << " printed " << int(c.printed) << " posted " << int(c.posted);
}

TEST(ClassifySalesOrder, EveryStatusCode)
{
    const uint32_t expected[] = {kSopToAllocate, kSopToAllocate, kSopToDespatch, kSopCancelled,
                                 kSopToAllocate, kSopToDespatch, kSopToDespatch, kSopCancelled,
                                 kSopCompleted,  kSopHeld,       kSopHeld,       kSopToAllocate};
    for (int8_t status = 0; status < 12; ++status)
        EXPECT_EQ(ClassifySalesOrder(status), expected[status]) << "status " << int(status);
    for (int8_t status : {int8_t(12), int8_t(-1), int8_t(127), int8_t(-128)})
        EXPECT_EQ(ClassifySalesOrder(status), 0u) << "status " << int(status);
}

TEST(ClassifyPurchaseOrder, EveryStatusCode)
{
    const uint32_t expected[] = {kPopToOrder, 0, kPopToDeliver, kPopCancelled, 0, 0,
                                 kPopToDeliver, 0, kPopCompleted};
    for (int8_t status = 0; status < 9; ++status)
        EXPECT_EQ(ClassifyPurchaseOrder(status), expected[status]) << "status " << int(status);
    for (int8_t status : {int8_t(9), int8_t(11), int8_t(-1), int8_t(-128)})
        EXPECT_EQ(ClassifyPurchaseOrder(status), 0u) << "status " << int(status);
}

class DocumentScanTest : public ::testing::Test {
protected:
    RecordingSink Scan(void (*scan)(const ScanInput&, ScanSink&), uint32_t category)
    {
        RecordingSink sink;
        scan(ScanInput{company.Context(), category, kToday, "OVERSEE"}, sink);
        return sink;
    }
    static std::vector<uint32_t> Numbers(const RecordingSink& sink)
    {
        std::vector<uint32_t> v;
        for (const auto& row : sink.rows)
            v.push_back(DocumentColumns().ReadUInt32(row, int(DocumentColumn::Number)));
        return v;
    }
    static std::string Shown(const std::vector<uint8_t>& row, DocumentColumn c)
    {
        return DocumentColumns().DisplayText(row, int(c)).toStdString();
    }

    const uint16_t kToday = DateNumberFromComponents(15, 6, 2027);
    test::TempCompany company;
    DocumentBuilder build{company.Context()};
};

TEST_F(DocumentScanTest, InvoicesListEachDocumentUnderItsCategoriesInNumberOrder)
{
    build.AddInvoice({.number = 30, .type = 3, .printed = 1});               // Crd to Post
    const uint32_t rec = build.AddInvoice({.number = 10, .name = "Bright Ideas Ltd   ",
                                           .amounts = {100.10, 20.02, 5.00, 1.00},
                                           .date = DateNumberFromComponents(3, 2, 2027)});
    build.AddInvoice({.number = 20, .type = 5});                             // nowhere
    build.AddInvoice({.number = 25, .type = 2, .printed = 1, .posted = 1});  // nowhere
    build.AddInvoice({.number = 5, .type = -3});                             // nowhere
    EXPECT_EQ(Numbers(Scan(&ScanInvoices, kInvToPost)), std::vector<uint32_t>{10});
    EXPECT_TRUE(Scan(&ScanInvoices, kCrdToPrint).rows.empty());
    EXPECT_EQ(Numbers(Scan(&ScanInvoices, kCrdToPost)), std::vector<uint32_t>{30});
    const RecordingSink all = Scan(&ScanInvoices, kAllInvoiceBits);
    EXPECT_EQ(Numbers(all), (std::vector<uint32_t>{10, 30}));
    // The walk yields after every record, listed or not.
    EXPECT_EQ(all.yields, 5);
    EXPECT_EQ(IndexedRowBits(DocumentColumns(), all.rows[0]), kInvToPrint | kInvToPost);
    EXPECT_EQ(IndexedRowBits(DocumentColumns(), all.rows[1]), kCrdToPost);

    // The row: the four amounts' sum, the date, the name without its padding, the record.
    const auto& row = all.rows[0];
    EXPECT_EQ(row.size(), 92u);
    EXPECT_EQ(Shown(row, DocumentColumn::Date), "03/02/2027");
    EXPECT_EQ(Shown(row, DocumentColumn::Name), "Bright Ideas Ltd");
    EXPECT_DOUBLE_EQ(DocumentColumns().ReadAmount(row, int(DocumentColumn::Amount)),
                     ((100.10 + 20.02) + 5.00) + 1.00);
    EXPECT_EQ(IndexedRowRecord(DocumentColumns(), row), rec);
    FileDelete(company.Context().File(kFileInvoiceIndex));
    EXPECT_TRUE(Scan(&ScanInvoices, kAllInvoiceBits).rows.empty()) << "a missing file lists nothing";
}

TEST_F(DocumentScanTest, DeletedMarkCountsOnlyOnRecordsReachedByNext)
{
    // Number 1 is found by the first-key search and listed whatever its name holds; 2 and 4
    // are reached by NextRecord and passed over although their flags match.
    build.AddInvoice({.number = 1, .deleted = true});
    build.AddInvoice({.number = 2, .deleted = true});
    build.AddInvoice({.number = 3});
    build.AddInvoice({.number = 4, .deleted = true});
    const RecordingSink inv = Scan(&ScanInvoices, kInvToPrint);
    EXPECT_EQ(Numbers(inv), (std::vector<uint32_t>{1, 3}));
    EXPECT_EQ(inv.yields, 2) << "a passed-over record is not a step of the walk";

    // The orders' value is the sum of all four amounts; any one alone shows something else.
    build.AddSalesOrder({.number = 8, .status = 8, .amounts = {1000.0, 200.0, 30.0, 4.5}});
    build.AddSalesOrder({.number = 9, .status = 8, .deleted = true});
    build.AddPurchaseOrder({.number = 8, .status = 3, .amounts = {1000.0, 200.0, 30.0, 4.5}});
    build.AddPurchaseOrder({.number = 9, .status = 3, .deleted = true});
    for (const RecordingSink& order : {Scan(&ScanSalesOrders, kSopCompleted),
                                       Scan(&ScanPurchaseOrders, kPopCancelled)}) {
        ASSERT_EQ(Numbers(order), std::vector<uint32_t>{8});
        EXPECT_EQ(Shown(order.rows[0], DocumentColumn::Amount), "1234.50");
    }
}

constexpr uint32_t kOut = kStockOutOfStock, kBelow = kStockBelowReorder, kOrder = kStockOnOrder,
                   kAlloc = kStockAllocated;

TEST(ClassifyStockItem, StockLevelsAtTheirBoundaries)
{
    struct Case {
        const char* what;
        StockLevels item;
        uint16_t rule;
        uint32_t bits;
    } const cases[] = {
        {"nothing and no reorder level", {0, 0, 0, 0, 0}, 0, kOut},
        {"nothing and no reorder level, restricted", {0, 0, 0, 0, 0}, 1, 0},
        {"restricted, with a reorder level", {0, 0, 5, 0, 0}, 1, kOut | kBelow},
        {"4e-9 in stock is none", {0, 0.000000004, 0, 0, 0}, 0, kOut},
        {"1e-8 in stock is some", {0, 0.00000001, 0, 0, 0}, 0, 0},
        {"stock exactly at the reorder level", {0, 5, 5, 0, 0}, 0, kBelow},
        {"stock a hair over the reorder level", {0, 5.00000001, 5, 0, 0}, 0, 0},
        {"stock within tolerance over the level", {0, 5.000000004, 5, 0, 0}, 0, kBelow},
        {"below a negative reorder level", {0, -3, -2, 0, 0}, 0, kOut | kBelow},
        {"reorder level of 0.0 is none", {0, -1, 0.0, 0, 0}, 0, kOut},
        {"a tiny reorder level is one", {0, 0, 0.000000001, 0, 0}, 0, kOut | kBelow},
        {"tiny reorder level does not lift the restriction", {0, 0, 0.000000001, 0, 0}, 1, kBelow},
        {"on order within tolerance is none", {0, 10, 0, 0.000000005, 0}, 0, 0},
        {"allocated", {0, 10, 0, 0, 1}, 0, kAlloc},
        {"everything at once", {0, 0, 10, 4, 2}, 0, kOut | kBelow | kOrder | kAlloc},
        {"type 1 never listed", {1, 0, 10, 4, 2}, 0, 0},
        {"type 3 is classified", {3, 0, 0, 1, 0}, 0, kOut | kOrder},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyStockItem(c.item, c.rule), c.bits) << c.what;
}

}  // namespace
}  // namespace kelo
