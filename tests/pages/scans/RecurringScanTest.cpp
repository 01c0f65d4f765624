// The Recurring Items scan: categories and columns, the Tp code by kind and bank, the bank
// transfer's two rows, and entries of no known kind.

#include "src/pages/scans/RecurringScan.h"

#include <gtest/gtest.h>

#include "RecordingSink.h"
#include "RecurringBuilder.h"
#include "host/data/RecurringRecord.h"
#include "host/framework/CBAccessManager.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
namespace {

using Col = RecurringColumn;

class RecurringScanTest : public testing::Test {
protected:
    void SetUp() override
    {
        build.AddBank("1200", "Current Account", 1);
        build.AddBank("1230", "Petty Cash", 2);
        build.AddBank("1240", "Company Card", 4);
    }
    std::vector<std::vector<uint8_t>> Rows(uint32_t category)
    {
        test::RecordingSink sink;
        ScanRecurring(ScanInput{company.Context(), category, 0, "OVERSEE"}, sink);
        EXPECT_EQ(sink.yields, 0) << "this page never yields";
        return sink.rows;
    }
    static std::string Text(const std::vector<uint8_t>& row, Col c)
    {
        return RecurringColumns().ReadText(row, static_cast<int>(c));
    }

    test::TempCompany company;
    test::RecurringBuilder build{company.Context()};
};

TEST_F(RecurringScanTest, SevenCategoriesWithPaymentsFirstAndA120ByteRow)
{
    const auto cats = RecurringCategories("ANNE", CBAccessManager());
    std::vector<std::pair<std::string, uint32_t>> got;
    for (const TaskCategory& c : cats) got.emplace_back(c.text, c.bit);
    const std::vector<std::pair<std::string, uint32_t>> want = {
        {"Payments", 2}, {"Receipts", 1}, {"Debits", 4}, {"Credits", 8},
        {"Bank Transfers", 16}, {"Customer SAs", 32}, {"Supplier PAs", 64}};
    EXPECT_EQ(got, want);

    const CKColumnSet& cols = RecurringColumns();
    EXPECT_EQ(cols.RowSize(), 120);
    std::vector<std::string> titles;
    for (int c = 0; c < cols.Count(); ++c) titles.push_back(cols.Column(c).title.toStdString());
    EXPECT_EQ(titles, (std::vector<std::string>{"Tp", "Ref", "Details", "Amount", "Frequency",
                                                "Next Posting", "Posts Made", ""}));
    EXPECT_TRUE(cols.Column(static_cast<int>(Col::RecordNumber)).hidden);
}

TEST_F(RecurringScanTest, TypeTextByKindAndBankKind)
{
    struct Case {
        int8_t kind;
        const char* bank;
        uint32_t category;
        const char* tp;
    };
    const Case cases[] = {
        {0, "1200", kRecurringPayments, "BP"}, {0, "1230", kRecurringPayments, "CP"},
        {0, "1240", kRecurringPayments, "VP"}, {0, "9999", kRecurringPayments, "BP"},
        {1, "1200", kRecurringReceipts, "BR"}, {1, "1230", kRecurringReceipts, "CR"},
        {1, "1240", kRecurringReceipts, "VR"}, {3, "1240", kRecurringCustomerSAs, "SA"},
        {4, "", kRecurringDebits, "JD"},       {5, "", kRecurringCredits, "JC"},
        {6, "1230", kRecurringSupplierPAs, "PA"},
    };
    for (const Case& c : cases) build.Add({.kind = c.kind, .bank = c.bank});
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        std::vector<std::string> tps;
        for (const auto& row : Rows(cases[i].category))
            if (RecurringRowRecord(row) == i + 1) tps.push_back(Text(row, Col::Type));
        EXPECT_EQ(tps, std::vector<std::string>{cases[i].tp});
    }
}

TEST_F(RecurringScanTest, ABankTransferIsTwoRowsInItsOwnCategoryOnly)
{
    build.Add({.kind = 0, .reference = "RENT"});
    const uint32_t transfer = build.Add({.kind = 2, .second = "1210", .bank = "1200",
                                         .reference = "SAVINGS-TRANSFER", .net = 2000,
                                         .interval = 3, .start = DateStringToNumber("01/01/2027"),
                                         .made = 0});
    const auto rows = Rows(kRecurringTransfers);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(Text(rows[0], Col::Type), "JD");
    EXPECT_EQ(Text(rows[1], Col::Type), "JC");
    // Otherwise the same row: the reference cut to its 8 characters, the start date next.
    for (const auto& row : rows) {
        EXPECT_EQ(RecurringRowRecord(row), transfer);
        EXPECT_EQ(Text(row, Col::Reference), "SAVINGS-");
        EXPECT_EQ(Text(row, Col::Frequency), "3 Month(s)");
        EXPECT_EQ(Text(row, Col::NextPosting), "01/01/2027");
    }
    const uint32_t allButTransfers = 127 & ~kRecurringTransfers;
    for (const auto& row : Rows(allButTransfers)) EXPECT_NE(RecurringRowRecord(row), transfer);
    EXPECT_EQ(Rows(127).size(), 3u);
}

TEST_F(RecurringScanTest, RowFieldsAsStored)
{
    build.Add({.kind = 4, .reference = "PREPAY", .details = "Insurance prepayment release   ",
               .net = 100.004, .tax = 17.503, .lastPosted = DateStringToNumber("28/02/2027"),
               .interval = 1, .unit = 2, .start = DateStringToNumber("31/01/2027"), .total = 12,
               .made = 2});
    const auto rows = Rows(kRecurringDebits);
    ASSERT_EQ(rows.size(), 1u);
    const CKColumnSet& cols = RecurringColumns();
    EXPECT_EQ(Text(rows[0], Col::Reference), "PREPAY");
    EXPECT_EQ(Text(rows[0], Col::Details), "Insurance prepayment release");
    // Tax plus net, not rounded.
    EXPECT_DOUBLE_EQ(cols.ReadAmount(rows[0], static_cast<int>(Col::Amount)), 117.507);
    EXPECT_EQ(cols.ReadUInt32(rows[0], static_cast<int>(Col::PostsMade)), 2u);
    EXPECT_EQ(Text(rows[0], Col::NextPosting), "31/03/2027");
}

TEST_F(RecurringScanTest, KindsOutsideTheSevenAreNeverListedAndOddUnitsShowNothing)
{
    build.Add({.kind = 7});
    const uint32_t erased = build.Add({.kind = 0});
    for (uint32_t offset = 0; offset < kRecurringLength; ++offset) build.Poke(erased, offset, 0xFF);
    const uint32_t odd = build.Add({.kind = 5, .lastPosted = DateStringToNumber("01/02/2027"),
                                    .unit = 9, .start = DateStringToNumber("01/01/2027"), .made = 1});
    const auto rows = Rows(0xFFFFFFFF);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(RecurringRowRecord(rows[0]), odd);
    EXPECT_EQ(Text(rows[0], Col::Frequency), "");
    EXPECT_EQ(Text(rows[0], Col::NextPosting), "");
}

TEST_F(RecurringScanTest, ToolRowsArePageRowsWithTheFinishDate)
{
    build.Add({.kind = 1, .interval = 1, .unit = 1, .start = DateStringToNumber("01/03/2027"),
               .total = 3});
    build.Add({.kind = 1, .start = DateStringToNumber("01/03/2027"), .total = 0});
    test::RecordingSink page, tool;
    ScanRecurring(ScanInput{company.Context(), kRecurringReceipts, 0, "OVERSEE"}, page);
    ScanRecurringWithFinish(ScanInput{company.Context(), kRecurringReceipts, 0, "OVERSEE"}, tool);
    ASSERT_EQ(tool.rows.size(), 2u);
    ASSERT_EQ(page.rows.size(), 2u);
    const CKColumnSet& wide = RecurringToolColumns();
    const int finish = static_cast<int>(Col::Count);
    EXPECT_EQ(wide.Column(finish).title, "Finish Date");
    for (size_t i = 0; i < 2; ++i)
        EXPECT_EQ(std::vector<uint8_t>(tool.rows[i].begin(), tool.rows[i].begin() + 120), page.rows[i]);
    EXPECT_EQ(wide.ReadText(tool.rows[0], finish), "15/03/2027");
    EXPECT_EQ(wide.ReadText(tool.rows[1], finish), "Perpetual");
}

TEST_F(RecurringScanTest, StopsBeforeTheNextRecord)
{
    for (int i = 0; i < 5; ++i) build.Add({.kind = 0});
    struct StopAfterTwo : test::RecordingSink {
        bool Stopped() const override { return rows.size() >= 2; }
    } stopping;
    ScanRecurring(ScanInput{company.Context(), kRecurringPayments, 0, "OVERSEE"}, stopping);
    EXPECT_EQ(stopping.rows.size(), 2u);
}

}  // namespace
}  // namespace kelo
