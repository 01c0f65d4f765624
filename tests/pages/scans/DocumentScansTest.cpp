// The Invoices, Sales Orders and Purchase Orders scans: each page's rule at its edges, then the
// walk they share (the first-key search, the deleted rule, the value, a missing file).

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DocumentBuilder.h"
#include "RecordingSink.h"
#include "host/data/FileMap.h"
#include "host/data/InvoiceRecord.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "src/pages/scans/IndexedListScan.h"
#include "src/pages/scans/InvoicesScan.h"
#include "src/pages/scans/PurchaseOrdersScan.h"
#include "src/pages/scans/SalesOrdersScan.h"
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
        {1, 0, 0, kInvToPrint | kInvToPost},
        {2, 1, 0, kInvToPost},
        {2, 0, 1, kInvToPrint},
        {0, 1, 1, 0},
        {0, 0x80, 0xFF, 0},  // any non-zero flag counts as done
        {3, 1, 0, kCrdToPost},  // a printed, unposted credit note: only "Crd to Post"
        {4, 0, 0, kCrdToPrint | kCrdToPost},
        {4, 0, 1, kCrdToPrint},
        {3, 1, 1, 0},
        {5, 0, 0, 0},  // neither kind
        {-1, 0, 0, 0},
        {-128, 0, 0, 0},
        {127, 0, 0, 0},
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
    std::vector<RecordingSink> ScanEach(void (*scan)(const ScanInput&, ScanSink&),
                                        std::initializer_list<uint32_t> categories)
    {
        std::vector<RecordingSink> sinks;
        for (uint32_t category : categories) {
            RecordingSink sink;
            scan(ScanInput{company.Context(), category, kToday, "OVERSEE"}, sink);
            sinks.push_back(std::move(sink));
        }
        return sinks;
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
    build.AddInvoice({.number = 10, .type = 0});                             // both Inv
    build.AddInvoice({.number = 20, .type = 5});                             // nowhere
    build.AddInvoice({.number = 25, .type = 2, .printed = 1, .posted = 1});  // nowhere
    build.AddInvoice({.number = 5, .type = -3});                             // nowhere
    const auto s = ScanEach(&ScanInvoices, {kInvToPrint, kInvToPost, kCrdToPrint, kCrdToPost,
                                            kAllInvoiceBits});
    EXPECT_EQ(Numbers(s[0]), std::vector<uint32_t>{10});
    EXPECT_EQ(Numbers(s[1]), std::vector<uint32_t>{10});
    EXPECT_TRUE(s[2].rows.empty());
    EXPECT_EQ(Numbers(s[3]), std::vector<uint32_t>{30});
    EXPECT_EQ(Numbers(s[4]), (std::vector<uint32_t>{10, 30}));
    // The walk yields after every record, listed or not.
    EXPECT_EQ(s[0].yields, 5);
    EXPECT_EQ(IndexedRowBits(DocumentColumns(), s[4].rows[0]), kInvToPrint | kInvToPost);
    EXPECT_EQ(IndexedRowBits(DocumentColumns(), s[4].rows[1]), kCrdToPost);
}

TEST_F(DocumentScanTest, RowShowsTheFourAmountSumTheDateTheCleanNameAndTheRecord)
{
    build.AddInvoice({.number = 1, .name = "Filler", .type = 1, .printed = 1, .posted = 1});
    const uint32_t rec = build.AddInvoice({.number = 4711,
                                           .name = "Bright Ideas Ltd   ",
                                           .amounts = {100.10, 20.02, 5.00, 1.00},
                                           .date = DateNumberFromComponents(3, 2, 2027)});
    const auto s = ScanEach(&ScanInvoices, {kInvToPrint});
    ASSERT_EQ(s[0].rows.size(), 1u);
    const auto& row = s[0].rows[0];
    EXPECT_EQ(row.size(), 92u);
    EXPECT_EQ(Shown(row, DocumentColumn::Number), "4711");
    EXPECT_EQ(Shown(row, DocumentColumn::Date), "03/02/2027");
    EXPECT_EQ(Shown(row, DocumentColumn::Name), "Bright Ideas Ltd");
    EXPECT_EQ(Shown(row, DocumentColumn::Amount), "126.12");
    EXPECT_DOUBLE_EQ(DocumentColumns().ReadAmount(row, int(DocumentColumn::Amount)),
                     ((100.10 + 20.02) + 5.00) + 1.00);
    EXPECT_EQ(IndexedRowRecord(DocumentColumns(), row), rec);
}

TEST_F(DocumentScanTest, DeletedMarkCountsOnlyOnRecordsReachedByNext)
{
    // Number 1 is found by the first-key search and listed whatever its name holds; 2 and 4
    // are reached by NextRecord and passed over although their flags match.
    build.AddInvoice({.number = 1, .deleted = true});
    build.AddInvoice({.number = 2, .deleted = true});
    build.AddInvoice({.number = 3});
    build.AddInvoice({.number = 4, .deleted = true});
    const auto inv = ScanEach(&ScanInvoices, {kInvToPrint});
    EXPECT_EQ(Numbers(inv[0]), (std::vector<uint32_t>{1, 3}));
    EXPECT_EQ(inv[0].yields, 2) << "a passed-over record is not a step of the walk";

    // The orders' value is the sum of all four amounts; any one alone shows something else.
    build.AddSalesOrder({.number = 8, .status = 8, .amounts = {1000.0, 200.0, 30.0, 4.5}});
    build.AddSalesOrder({.number = 9, .status = 8, .deleted = true});
    build.AddPurchaseOrder({.number = 8, .status = 3, .amounts = {1000.0, 200.0, 30.0, 4.5}});
    build.AddPurchaseOrder({.number = 9, .status = 3, .deleted = true});
    const auto sop = ScanEach(&ScanSalesOrders, {kSopCompleted})[0];
    const auto pop = ScanEach(&ScanPurchaseOrders, {kPopCancelled})[0];
    ASSERT_EQ(Numbers(sop), std::vector<uint32_t>{8});
    ASSERT_EQ(Numbers(pop), std::vector<uint32_t>{8});
    EXPECT_EQ(Shown(sop.rows[0], DocumentColumn::Amount), "1234.50");
    EXPECT_EQ(Shown(pop.rows[0], DocumentColumn::Amount), "1234.50");
}

TEST_F(DocumentScanTest, NameWithoutTerminatorIsCutAtItsWidth)
{
    build.AddInvoice({.number = 1});
    // Sixty-one letters fill the field with no terminator inside it.
    DataFile invoices = company.Context().File(kFileInvoices);
    std::vector<uint8_t> rec(kInvoiceLength);
    ASSERT_TRUE(ReadRec(invoices, 1, rec.data()));
    std::memset(rec.data() + kInvoiceCustomerName.offset, 'W', kInvoiceCustomerName.width);
    WriteRec(invoices, 1, rec.data());
    const auto s = ScanEach(&ScanInvoices, {kInvToPrint});
    ASSERT_EQ(s[0].rows.size(), 1u);
    EXPECT_EQ(Shown(s[0].rows[0], DocumentColumn::Name), std::string(60, 'W'));
    EXPECT_EQ(Shown(s[0].rows[0], DocumentColumn::Date), "") << "no date shows nothing";
}

TEST_F(DocumentScanTest, EmptyOrMissingFileListsNothing)
{
    EXPECT_TRUE(ScanEach(&ScanInvoices, {kAllInvoiceBits})[0].rows.empty());
    FileDelete(company.Context().File(kFileSalesOrders));
    FileDelete(company.Context().File(kFilePurchaseOrderIndex));
    EXPECT_TRUE(ScanEach(&ScanSalesOrders, {31})[0].rows.empty());
    EXPECT_TRUE(ScanEach(&ScanPurchaseOrders, {31})[0].rows.empty());
}

}  // namespace
}  // namespace kelo
