// Recurring entries: the worked examples of the next posting and the projected finish date
// with their limits, the Recurring Items scan (categories, the Tp code by kind and bank, the bank
// transfer's two rows, entries of no known kind), and what the Recurring Entry Properties viewer
// shows (labels by kind and tax scheme, names, department, tax code and BACS mark).

#include <gtest/gtest.h>

#include "LedgerBuilder.h"
#include "RecordingSink.h"
#include "RecurringBuilder.h"
#include "host/data/RecurringRecord.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "src/pages/scans/RecurringDetails.h"
#include "src/pages/scans/RecurringEntry.h"
#include "src/pages/scans/RecurringScan.h"
#include "tests/host/file/TempCompany.h"
#include "tests/host/framework/PostingLedger.h"

namespace kelo {
namespace {

uint16_t d(const char* text)
{
    if (!*text) return kNoDate;
    const uint16_t n = DateStringToNumber(text);
    EXPECT_NE(n, kNoDate) << text;
    return n;
}

struct Example {
    const char* name;
    const char* start;
    const char* last;
    int interval;
    int unit;
    bool suspended;
    int total;
    int made;
    const char* frequency;
    const char* next;
};

const Example kExamples[] = {
    {"monthly from 31/01 through February", "31/01/2027", "28/02/2027", 1, 2, false, 0, 2, "1 Month(s)", "31/03/2027"},
    {"monthly from 31/01 into a 30-day month", "31/01/2027", "31/03/2027", 1, 2, false, 0, 3, "1 Month(s)", "30/04/2027"},
    {"monthly from 31/01 into a leap February", "31/01/2028", "31/01/2028", 1, 2, false, 0, 1, "1 Month(s)", "29/02/2028"},
    // The start day only returns where the month has it; else base's day, limited.
    {"two-monthly from 31/01 via February", "31/01/2027", "28/02/2027", 2, 2, false, 0, 2, "2 Month(s)", "28/04/2027"},
    {"yearly by months across a year end", "15/11/2026", "15/11/2026", 12, 2, false, 0, 1, "12 Month(s)", "15/11/2027"},
    {"two-weekly", "01/02/2027", "01/03/2027", 2, 1, false, 0, 3, "2 Week(s)", "15/03/2027"},
    {"every 14 days across a year end", "25/12/2026", "25/12/2027", 14, 0, false, 0, 27, "14 Day(s)", "08/01/2028"},
    {"suspended although finished", "01/01/2027", "01/12/2027", 1, 2, true, 12, 12, "1 Month(s)", "Suspended"},
    {"finished", "01/01/2027", "01/12/2027", 1, 2, false, 12, 12, "1 Month(s)", "Finished"},
    {"perpetual never finishes", "01/01/2027", "01/03/2027", 1, 2, false, 0, 0, "1 Month(s)", "01/04/2027"},
    {"more made than required is no finish", "01/01/2027", "01/03/2027", 1, 2, false, 2, 3, "1 Month(s)", "01/04/2027"},
    {"never posted: its start date", "06/12/2026", "", 1, 2, false, 12, 0, "1 Month(s)", "06/12/2026"},
    {"start date 0", "", "01/03/2027", 1, 2, false, 0, 1, "1 Month(s)", ""},
    {"unit outside the three", "01/01/2027", "01/03/2027", 1, 3, false, 0, 1, "", ""},
    {"past the last date number", "05/06/2079", "05/06/2079", 1, 2, false, 0, 1, "1 Month(s)", "05/07/2079"},
    {"largest interval in weeks", "05/06/2079", "05/06/2079", 32767, 1, false, 0, 1, "32767 Week(s)", "03/06/2707"},
};

// The entry a case describes.
template <class Case>
RecurringEntry EntryOf(const Case& x)
{
    RecurringEntry e;
    e.start = d(x.start);
    e.lastPosted = d(x.last);
    e.interval = x.interval;
    e.unit = x.unit;
    e.totalPostings = x.total;
    e.postingsMade = x.made;
    return e;
}

TEST(NextPosting, FrequencyAndNextPostingAsListed)
{
    for (const Example& x : kExamples) {
        SCOPED_TRACE(x.name);
        RecurringEntry e = EntryOf(x);
        e.suspended = x.suspended;
        EXPECT_EQ(e.FrequencyText(), x.frequency);
        EXPECT_EQ(e.NextPostingText(), x.next);
    }
}

struct Projection {
    const char* name;
    const char* start;
    const char* last;
    int interval;
    int unit;
    int total;
    int made;
    RecurringFinish::Kind kind;
    const char* text;
};

using K = RecurringFinish::Kind;
const Projection kProjections[] = {
    {"perpetual", "01/03/2027", "", 1, 2, 0, 0, K::Perpetual, "Perpetual"},
    {"perpetual by a negative total", "01/03/2027", "01/04/2027", 1, 2, -1, 1, K::Perpetual, "Perpetual"},
    {"perpetual without a start", "", "", 1, 2, 0, 0, K::Empty, ""},
    {"finished", "01/03/2027", "01/07/2027", 1, 2, 5, 5, K::Finished, "Finished"},
    {"monthly from 31/01, 10 to go after February", "31/01/2027", "28/02/2027", 1, 2, 12, 2, K::Date, "31/12/2027"},
    {"weekly never posted", "01/03/2027", "", 1, 1, 3, 0, K::Date, "15/03/2027"},
    {"daily never posted, one posting", "01/03/2027", "", 1, 0, 1, 0, K::Date, "01/03/2027"},
    {"unknown unit", "01/03/2027", "01/04/2027", 1, 7, 3, 1, K::Empty, ""},
    {"more made than required", "01/03/2027", "01/04/2027", 1, 2, 2, 3, K::Date, "01/04/2027"},
    // 05/06/2079 + 6 x 15841 months is December 9999; one interval more is past it.
    {"monthly to the calendar's last month", "05/06/2079", "05/06/2079", 6, 2, 15842, 1, K::Date, "05/12/9999"},
    {"monthly past 31/12/9999", "05/06/2079", "05/06/2079", 6, 2, 15843, 1, K::Infinite, "Infinite"},
    // 31/12/2078 + 611 x 4735 days is 31/12/9999 itself.
    {"daily to the calendar's last day", "31/12/2078", "31/12/2078", 611, 0, 4736, 1, K::Date, "31/12/9999"},
    {"daily past 31/12/9999", "31/12/2078", "31/12/2078", 611, 0, 4737, 1, K::Infinite, "Infinite"},
    {"largest monthly projection", "01/01/2027", "", 32767, 2, 32767, 0, K::Infinite, "Infinite"},
};

TEST(FinishDate, ProjectsTheLastRequiredPosting)
{
    for (const Projection& x : kProjections) {
        SCOPED_TRACE(x.name);
        const RecurringFinish f = EntryOf(x).ProjectedFinish();
        EXPECT_EQ(f.kind, x.kind);
        EXPECT_EQ(f.Text(), x.text);
    }
}

using Col = RecurringColumn;

class RecurringScanTest : public testing::Test {
protected:
    void SetUp() override
    {
        test::PostingLedger ledger(company.Context());
        ledger.Bank("1200", "Current Account", 1);
        ledger.Bank("1230", "Petty Cash", 2);
        ledger.Bank("1240", "Company Card", 4);
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

TEST_F(RecurringScanTest, RowFieldsAsStoredAndKindsOutsideTheSevenNeverListed)
{
    build.Add({.kind = 7});
    const uint32_t erased = build.Add({.kind = 0});
    for (uint32_t offset = 0; offset < kRecurringLength; ++offset) build.Poke(erased, offset, 0xFF);
    build.Add({.kind = 4, .reference = "PREPAY", .details = "Insurance prepayment release   ",
               .net = 100.004, .tax = 17.503, .lastPosted = DateStringToNumber("28/02/2027"),
               .interval = 1, .unit = 2, .start = DateStringToNumber("31/01/2027"), .total = 12,
               .made = 2});
    const auto rows = Rows(0xFFFFFFFF);
    ASSERT_EQ(rows.size(), 1u);
    const CKColumnSet& cols = RecurringColumns();
    EXPECT_EQ(rows[0].size(), 120u) << "the page's row has no finish column";
    EXPECT_EQ(Text(rows[0], Col::Reference), "PREPAY");
    EXPECT_EQ(Text(rows[0], Col::Details), "Insurance prepayment release");
    // Tax plus net, not rounded.
    EXPECT_DOUBLE_EQ(cols.ReadAmount(rows[0], static_cast<int>(Col::Amount)), 117.507);
    EXPECT_EQ(cols.ReadUInt32(rows[0], static_cast<int>(Col::PostsMade)), 2u);
    EXPECT_EQ(Text(rows[0], Col::NextPosting), "31/03/2027");
}

TEST(RecurringLabelsFor, ByKindAndTaxScheme)
{
    const struct {
        int kind;
        bool standardVat;
        const char* first;  // empty: the bank row is hidden
        const char* second;
        bool details, taxCode, vat;
        const char* amount;
    } cases[] = {
        {0, true, "Bank A/C From", "Nominal Code", true, true, true, "Net Amount"},
        {1, true, "Bank A/C To", "Nominal Code", true, true, true, "Net Amount"},
        {2, true, "Bank A/C From", "Bank A/C To", true, false, false, "Amount"},
        {3, true, "Bank A/C", "Customer A/C", false, false, false, "Amount"},
        {3, false, "Bank A/C", "Customer A/C", false, true, true, "Net Amount"},
        {4, true, "", "Nominal Code", true, true, false, "Net Amount"},
        {5, true, "", "Nominal Code", true, true, false, "Net Amount"},
        {6, true, "Bank A/C", "Supplier A/C", false, false, false, "Amount"},
        {6, false, "Bank A/C", "Supplier A/C", false, true, true, "Net Amount"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " standard " << c.standardVat);
        const RecurringLabels l = RecurringLabelsFor(c.kind, c.standardVat);
        EXPECT_EQ(l.firstAccount, c.first);
        EXPECT_EQ(l.firstShown, *c.first != '\0');
        EXPECT_EQ(l.secondAccount, c.second);
        EXPECT_EQ(l.detailsShown, c.details);
        EXPECT_EQ(l.taxCodeShown, c.taxCode);
        EXPECT_EQ(l.vatShown, c.vat);
        EXPECT_EQ(l.amount, c.amount);
    }
}

TEST(RecurringTypeName, ByKindAndForPaymentsAndReceiptsTheBankKind)
{
    const struct {
        int kind, bankKind;
        const char* name;
    } cases[] = {
        {0, 1, "Bank Payment"},  {0, 2, "Cash Payment"},  {0, 4, "Visa Payment"},
        {0, 0, "Bank Payment"},  {1, 2, "Cash Receipt"},  {1, 4, "Visa Receipt"},
        {2, 2, "Bank/Cash/Credit Card Transfer"},         {3, 0, "Customer Payment on Acount"},
        {4, 0, "Journal Debit"}, {5, 0, "Journal Credit"}, {6, 0, "Supplier Payment on Acount"},
        {7, 0, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(RecurringTypeName(c.kind, c.bankKind), c.name) << c.kind;
}

class RecurringDetailsLoad : public testing::Test {
protected:
    void SetUp() override
    {
        test::PostingLedger ledger(company.Context());
        ledger.Bank("1240", "Company Credit Card", 4);
        ledger.Nominal("7100", "Rent and Rates");
        test::LedgerBuilder(company.Context()).AddAccount(kLedgerSales, {.code = "ACME",
                                                                         .name = "Acme Trading"});
        build.AddSupplier("BACSCO", "Paid By Bacs Ltd", 1);
        build.AddSupplier("CHEQUE", "Paid By Cheque Ltd", 0);
        build.SetTaxRate(0, 0.0);
        build.SetTaxRate(1, 17.5);
        build.SetDepartment(3, "SALES", "Sales Department");
    }
    RecurringDetails Load(const test::RecurringBuilder::Entry& e)
    {
        return RecurringDetails::Load(company.Context(), build.Add(e));
    }
    test::TempCompany company;
    test::RecurringBuilder build{company.Context()};
};

TEST_F(RecurringDetailsLoad, NamesDepartmentTaxCodeFinishAndBacs)
{
    const RecurringDetails d = Load({.kind = 0, .second = "7100", .bank = "1240", .department = 3,
                                     .taxCode = 1, .interval = 1, .unit = 2,
                                     .start = DateStringToNumber("31/01/2027"), .total = 12});
    ASSERT_TRUE(d.found);
    EXPECT_EQ(d.TypeName(), "Visa Payment");
    EXPECT_EQ(d.bankName, "Company Credit Card");
    EXPECT_EQ(d.secondName, "Rent and Rates");
    EXPECT_EQ(d.department, "SALES - Sales Department");
    EXPECT_EQ(d.TaxCodeText(), "T1   17.50");
    EXPECT_EQ(d.finish.Text(), "31/12/2027");
    EXPECT_FALSE(d.bacs);
    EXPECT_EQ(Load({.kind = 4, .taxCode = 0}).TaxCodeText(), "T0   0.00");
    // BACS only for a supplier paid by BACS.
    const RecurringDetails bacs = Load({.kind = 6, .second = "BACSCO"});
    EXPECT_TRUE(bacs.bacs);
    EXPECT_EQ(bacs.secondName, "Paid By Bacs Ltd");
    EXPECT_FALSE(Load({.kind = 6, .second = "CHEQUE"}).bacs);
    EXPECT_FALSE(Load({.kind = 6, .second = "NOSUCH"}).bacs);
    EXPECT_EQ(Load({.kind = 3, .second = "ACME"}).secondName, "Acme Trading");
}

TEST_F(RecurringDetailsLoad, MissingAccountsDepartmentAndTaxCodeShowWhatThereIs)
{
    const RecurringDetails d = Load({.kind = 1, .second = "GONE", .bank = "NOBANK",
                                     .department = 9, .taxCode = 150});
    ASSERT_TRUE(d.found);
    EXPECT_EQ(d.TypeName(), "Bank Receipt") << "a missing bank counts as a bank";
    EXPECT_EQ(d.bankName, "");
    EXPECT_EQ(d.secondName, "");
    EXPECT_EQ(d.department, "9");
    EXPECT_EQ(d.TaxCodeText(), "T150");
    EXPECT_EQ(Load({.kind = 0, .department = 0}).department, "0");
    EXPECT_FALSE(RecurringDetails::Load(company.Context(), 99).found);
}

}  // namespace
}  // namespace kelo
