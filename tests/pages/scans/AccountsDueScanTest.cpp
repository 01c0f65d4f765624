// The transaction rules: an invoice's Accounts Due categories and the scan through the ledger's
// accounts and chains, what the Transaction Details viewer finds for a number, and the steps
// and chain guard the viewers and walks share.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LedgerBuilder.h"
#include "RecordingSink.h"
#include "host/data/AccountRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/FileMap.h"
#include "host/file/FileError.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "src/pages/scans/AccountsDueScan.h"
#include "src/pages/scans/RowStepper.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
namespace {

using test::LedgerBuilder;
using test::RecordingSink;
using test::TempCompany;

const uint16_t kToday = DateNumberFromComponents(15, 6, 2027);

struct InvoiceCase {
    const char* what;
    int ledger;
    double outstanding;
    int age;
    int16_t credit;
    int16_t settlement;
    uint32_t bits;
};

TEST(ClassifyInvoice, AgesAgainstCreditAndSettlementPeriods)
{
    const InvoiceCase cases[] = {
        {"40 days: overdue and due", kLedgerSales, 117.5, 40, 30, 10, kSalesOverdue | kSalesDue},
        {"30 days: due on the last day", kLedgerSales, 117.5, 30, 30, 10, kSalesDue},
        {"31 days: overdue", kLedgerSales, 117.5, 31, 30, 10, kSalesOverdue | kSalesDue},
        {"5 days: due, within settlement", kLedgerSales, 117.5, 5, 30, 10,
         kSalesDue | kSalesWithinSettlement},
        {"10 days: settlement's last day", kLedgerSales, 117.5, 10, 30, 10,
         kSalesDue | kSalesWithinSettlement},
        {"11 days: past settlement", kLedgerSales, 117.5, 11, 30, 10, kSalesDue},
        {"-3 days: dated after today", kLedgerSales, 117.5, -3, 30, 10,
         kSalesDue | kSalesWithinSettlement},
        {"no settlement period", kLedgerSales, 117.5, 5, 30, 0, kSalesDue},
        {"negative credit period, future date", kLedgerSales, 117.5, -3, -5, 0, 0},
        {"zero outstanding", kLedgerSales, 0.0, 40, 30, 10, 0},
        {"credit balance", kLedgerSales, -12.0, 40, 30, 10, 0},
        {"purchase 40 days", kLedgerPurchases, 50.0, 40, 30, 10, kPurchasesOverdue | kPurchasesDue},
    };
    for (const InvoiceCase& c : cases) {
        SCOPED_TRACE(c.what);
        const uint16_t date = static_cast<uint16_t>(kToday - c.age);
        EXPECT_EQ(ClassifyInvoice(c.ledger, c.outstanding, date, kToday, c.credit, c.settlement),
                  c.bits);
    }
}

TEST(InvoiceOutstanding, TaxPlusNetLessPaidRounded)
{
    EXPECT_DOUBLE_EQ(InvoiceOutstanding(100.0, 17.5, 50.0), 67.5);
    // Rounds to 0.00: never outstanding.
    EXPECT_DOUBLE_EQ(InvoiceOutstanding(100.0, 17.5, 117.499), 0.0);
    EXPECT_DOUBLE_EQ(InvoiceOutstanding(100.0, 17.5, 117.49), 0.01);
}

class AccountsDueFill : public ::testing::Test {
protected:
    AccountsDueFill() : build(co.Context()) {}

    std::vector<uint32_t> Scan(uint32_t category, RecordingSink* given = nullptr)
    {
        RecordingSink local;
        RecordingSink& sink = given ? *given : local;
        ScanAccountsDue(ScanInput{co.Context(), category, kToday, "OVERSEE"}, sink);
        std::vector<uint32_t> numbers;
        for (const auto& r : sink.rows) numbers.push_back(AccountsDueRowTransaction(r));
        return numbers;
    }
    // Invoices (type 1 unless given) aged `age` days on account `code` of `ledger`, numbered
    // from `number` up; returns the last header's record number.
    uint32_t Add(int ledger, uint32_t account, const std::string& code, uint32_t number,
                 int count = 1, uint8_t type = 1)
    {
        uint32_t header = 0;
        for (int i = 0; i < count; ++i)
            header = build.AddHeader(ledger, account, {.type = type, .account = code,
                                                       .date = uint16_t(kToday - 40), .net = 1.0,
                                                       .transaction = number + uint32_t(i)});
        return header;
    }

    TempCompany co;
    LedgerBuilder build;
};

TEST_F(AccountsDueFill, RowCarriesTheInvoiceFieldsAndItsBits)
{
    const uint32_t a = build.AddAccount(kLedgerSales, {.code = "ACME", .settlementPeriod = 10});
    build.AddHeader(kLedgerSales, a, {.account = "ACME", .reference = "INV0042   ",
                                      .details = "Widgets", .date = uint16_t(kToday - 40),
                                      .net = 100.0, .tax = 17.5, .paid = 50.0, .transaction = 17});
    RecordingSink sink;
    ASSERT_EQ(Scan(kSalesOverdue, &sink), std::vector<uint32_t>{17});
    const CKColumnSet& c = AccountsDueColumns();
    EXPECT_EQ(c.RowSize(), 128);
    const auto text = [&](AccountsDueColumn col) { return c.ReadText(sink.rows[0], int(col)); };
    EXPECT_EQ(text(AccountsDueColumn::Account), "ACME");
    EXPECT_EQ(text(AccountsDueColumn::Date), DateNumberToFullString(kToday - 40));
    EXPECT_EQ(text(AccountsDueColumn::Ref), "INV0042");
    EXPECT_EQ(text(AccountsDueColumn::Details), "Widgets");
    EXPECT_DOUBLE_EQ(c.ReadAmount(sink.rows[0], int(AccountsDueColumn::Amount)), 67.5);
    EXPECT_EQ(c.ReadUInt32(sink.rows[0], int(AccountsDueColumn::Bits)), kSalesOverdue | kSalesDue);
    EXPECT_TRUE(Scan(kSalesWithinSettlement).empty());
}

TEST_F(AccountsDueFill, CountsInvoicesOfTheLedgerOnlyAndSkipsExcludedAndSettled)
{
    const uint32_t c = build.AddAccount(kLedgerSales, {.code = "CUST"});
    const uint32_t s = build.AddAccount(kLedgerPurchases, {.code = "SUPP"});
    Add(kLedgerSales, c, "CUST", 1);
    Add(kLedgerSales, c, "CUST", 2, 1, 6);  // a purchase invoice
    Add(kLedgerSales, c, "CUST", 3, 1, 2);  // a credit
    build.AddHeader(kLedgerSales, c, {.account = "CUST", .date = uint16_t(kToday - 40), .net = 10.0,
                                      .exclusion = 1, .transaction = 4});
    build.AddHeader(kLedgerSales, c, {.account = "CUST", .date = uint16_t(kToday - 40),
                                      .net = 100.0, .paid = 99.999, .transaction = 5});
    Add(kLedgerSales, c, "CUST", 6);
    Add(kLedgerPurchases, s, "SUPP", 7, 1, 6);
    Add(kLedgerPurchases, s, "SUPP", 8);  // type 1 on a supplier

    EXPECT_EQ(Scan(kSalesOverdue), (std::vector<uint32_t>{1, 6}));
    EXPECT_EQ(Scan(kPurchasesDue), (std::vector<uint32_t>{7}));
    // A value sharing bits with both ledgers lists both, sales first.
    EXPECT_EQ(Scan(kSalesDue | kPurchasesDue), (std::vector<uint32_t>{1, 6, 7}));
    // A category change during the first yield: no header, account or ledger after.
    RecordingSink sink;
    sink.onYield = [](RecordingSink& self) { self.stopped = true; };
    EXPECT_EQ(Scan(kSalesDue | kPurchasesDue, &sink), (std::vector<uint32_t>{1}));
    EXPECT_EQ(sink.yields, 2) << "the header's yield that stopped it and its account's";
}

TEST_F(AccountsDueFill, DamagedChainsEndTheirAccountAndTheScanGoesOn)
{
    const uint32_t lost = build.AddAccount(kLedgerSales, {.code = "LOST"});
    const uint32_t a = build.AddAccount(kLedgerSales, {.code = "LOOP"});
    const uint32_t b = build.AddAccount(kLedgerSales, {.code = "NEXT"});
    const uint32_t h1 = Add(kLedgerSales, a, "LOOP", 1);
    const uint32_t h3 = Add(kLedgerSales, a, "LOOP", 2, 2);
    const uint32_t h4 = Add(kLedgerSales, b, "NEXT", 4);
    const uint32_t h5 = Add(kLedgerSales, b, "NEXT", 5);
    build.Poke(kFileAuditHeaders, h3, kHeaderNextHeader, h1);  // back to the start
    build.Poke(kFileCustomers, lost, kAccountFirstHeader, 9999);  // first header past the file
    build.Poke(kFileAuditHeaders, h5, kHeaderNextHeader, 7777);  // next header past the file
    build.Poke(kFileAuditHeaders, h4, kHeaderFirstSplit, 8888);  // split past the file
    // The invoice whose split is lost is still listed, without its number.
    EXPECT_EQ(Scan(kSalesDue), (std::vector<uint32_t>{1, 2, 3, 0, 5}));
    build.Poke(kFileAuditHeaders, h1, kHeaderNextHeader, h1);  // a header pointing at itself
    EXPECT_EQ(Scan(kSalesDue), (std::vector<uint32_t>{1, 0, 5}));
}

// Several accounts' chains are read at once, but a damaged record still ends the fill where a
// walk of one account at a time would: after every row of the accounts before it and the rows
// its own account listed before it, with none of the accounts after.
TEST_F(AccountsDueFill, ADamagedRecordEndsTheFillAfterTheRowsBeforeIt)
{
    const uint32_t a = build.AddAccount(kLedgerSales, {.code = "AAAA"});
    const uint32_t b = build.AddAccount(kLedgerSales, {.code = "BBBB"});
    const uint32_t c = build.AddAccount(kLedgerSales, {.code = "CCCC"});
    const uint32_t d = build.AddAccount(kLedgerSales, {.code = "DDDD"});
    Add(kLedgerSales, a, "AAAA", 1, 3);
    Add(kLedgerSales, b, "BBBB", 4);
    const uint32_t damaged = Add(kLedgerSales, b, "BBBB", 5);
    Add(kLedgerSales, b, "BBBB", 6);
    Add(kLedgerSales, c, "CCCC", 7);
    Add(kLedgerSales, d, "DDDD", 8);
    const std::string header = test::StoredRecord(co.Context(), kFileAuditHeaders, damaged);
    const std::string account = test::StoredRecord(co.Context(), kFileCustomers, c);
    struct Case {
        const char* what;
        int file;
        uint32_t record;
        std::vector<uint32_t> rows;
    } cases[] = {
        {"a header of the second account", kFileAuditHeaders, damaged, {1, 2, 3, 4}},
        {"the third account", kFileCustomers, c, {1, 2, 3, 4, 5, 6}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        test::PlantRawRecord(co.Context(), k.file, k.record, "not a record");
        RecordingSink sink;
        EXPECT_THROW(Scan(kSalesDue, &sink), FileError);
        std::vector<uint32_t> listed;
        for (const auto& r : sink.rows) listed.push_back(AccountsDueRowTransaction(r));
        EXPECT_EQ(listed, k.rows);
        test::PlantRawRecord(co.Context(), k.file, k.record,
                             k.file == kFileCustomers ? account : header);
    }
    EXPECT_EQ(Scan(kSalesDue), (std::vector<uint32_t>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(RowStepper, ButtonStatesAndTargetRows)
{
    using Step = RowStepper::Step;
    struct Case {
        int selected, count;
        bool first, previous, next, last;
        int toFirst, toPrevious, toNext, toLast;
    } cases[] = {
        {0, 3, true, false, true, true, 0, -1, 1, 2},  // first row
        {1, 3, true, true, true, true, 0, 0, 2, 2},
        {2, 3, true, true, false, true, 0, 1, -1, 2},  // last row: Next disabled
        {0, 1, false, false, false, false, 0, -1, -1, 0},  // one row: all disabled
        {-1, 3, true, false, false, true, 0, -1, -1, 2},   // nothing selected
        {-1, 0, false, false, false, false, -1, -1, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.selected << " of " << c.count);
        const RowStepper s = RowStepper::States(c.selected, c.count);
        EXPECT_EQ(s.first, c.first);
        EXPECT_EQ(s.previous, c.previous);
        EXPECT_EQ(s.next, c.next);
        EXPECT_EQ(s.last, c.last);
        EXPECT_EQ(RowStepper::Target(Step::First, c.selected, c.count), c.toFirst);
        EXPECT_EQ(RowStepper::Target(Step::Previous, c.selected, c.count), c.toPrevious);
        EXPECT_EQ(RowStepper::Target(Step::Next, c.selected, c.count), c.toNext);
        EXPECT_EQ(RowStepper::Target(Step::Last, c.selected, c.count), c.toLast);
    }
}

}  // namespace
}  // namespace kelo
