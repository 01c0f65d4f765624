// The transaction rules: an invoice's Accounts Due categories and the scan through the ledger's
// accounts and chains, what the Transaction Details viewer finds for a number, and the steps
// and chain guard the viewers and walks share.

#include <string>
#include <vector>

#include <QStringList>

#include <gtest/gtest.h>

#include "LedgerBuilder.h"
#include "RecordingSink.h"
#include "host/data/AccountRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/FileMap.h"
#include "host/data/UserRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/CBAccessManager.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "src/pages/scans/AccountsDueScan.h"
#include "src/pages/scans/ChainGuard.h"
#include "src/pages/scans/RowStepper.h"
#include "src/pages/scans/TransactionDetails.h"
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
        {"settlement longer than credit", kLedgerSales, 117.5, 40, 30, 45,
         kSalesOverdue | kSalesDue | kSalesWithinSettlement},
        {"negative credit period, future date", kLedgerSales, 117.5, -3, -5, 0, 0},
        {"zero outstanding", kLedgerSales, 0.0, 40, 30, 10, 0},
        {"credit balance", kLedgerSales, -12.0, 40, 30, 10, 0},
        {"purchase 40 days", kLedgerPurchases, 50.0, 40, 30, 10, kPurchasesOverdue | kPurchasesDue},
        {"purchase 5 days", kLedgerPurchases, 50.0, 5, 30, 10,
         kPurchasesDue | kPurchasesWithinSettlement},
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
    // Half a penny rounds away from zero.
    EXPECT_DOUBLE_EQ(InvoiceOutstanding(1.0, 0.005, 0.0), 1.01);
}

TEST(AccountsDueColumns, RowIs128BytesInColumnOrder)
{
    const CKColumnSet& c = AccountsDueColumns();
    EXPECT_EQ(c.RowSize(), 128);
    QStringList titles;
    for (int i = 0; i < c.Count(); ++i) titles << c.Column(i).title;
    EXPECT_EQ(titles, QStringList({"No", "A/C", "Date", "Ref", "Details", "Amount", ""}));
}

void addUser(DataContext& ctx, uint32_t recNo, const char* name, uint8_t sales, uint8_t purchases)
{
    std::vector<uint8_t> rec(kUserLength, 0);
    SetText(rec.data(), kUserName, name);
    for (int m = 0; m < kUserModuleCount; ++m) SetUserModuleAccess(rec.data(), m, kAccessFull);
    SetUserModuleAccess(rec.data(), 0, sales);
    SetUserModuleAccess(rec.data(), 4, purchases);
    WriteRec(ctx.File(kFileUsers), recNo, rec.data());
}

// The categories' texts and values are checked with every page's; here, who sees them.
TEST(AccountsDueCategories, AccessChecksWithTheSupervisorExempt)
{
    TempCompany co;
    addUser(co.Context(), 1, "SALESONLY", kAccessFull, kAccessNone);
    addUser(co.Context(), 2, "NOLEDGERS", kAccessNone, kAccessNone);
    const CBAccessManager barred;  // an unknown user: barred from everything
    EXPECT_EQ(AccountsDueCategories("OVERSEE", barred).size(), 6u);
    EXPECT_TRUE(AccountsDueCategories("oversee", barred).empty());
    EXPECT_TRUE(AccountsDueCategories("NOLEDGERS", CBAccessManager(co.Context(), "NOLEDGERS")).empty());
    const auto sales = AccountsDueCategories("SALESONLY", CBAccessManager(co.Context(), "SALESONLY"));
    ASSERT_EQ(sales.size(), 3u);
    EXPECT_EQ(sales[0].bit | sales[1].bit | sales[2].bit, kSalesOverdue | kSalesDue | kSalesWithinSettlement);
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
}

TEST_F(AccountsDueFill, AccountIndexOrderAndTheDeletedMarkOnlyAfterTheFirstAccount)
{
    const uint32_t zed = build.AddAccount(kLedgerSales, {.code = "ZED"});
    const uint32_t abc = build.AddAccount(kLedgerSales, {.code = "ABC"});
    const uint32_t bbb = build.AddAccount(kLedgerSales, {.code = "BBB"});
    Add(kLedgerSales, zed, "ZED", 10, 2);
    Add(kLedgerSales, abc, "ABC", 20, 2);
    Add(kLedgerSales, bbb, "BBB", 30);
    EXPECT_EQ(Scan(kSalesDue), (std::vector<uint32_t>{20, 21, 30, 10, 11}));
    build.MarkDeleted(kLedgerSales, abc);  // found by the first-key search: still listed
    build.MarkDeleted(kLedgerSales, bbb);  // reached by NextRecord: passed over
    EXPECT_EQ(Scan(kSalesDue), (std::vector<uint32_t>{20, 21, 10, 11}));
}

TEST_F(AccountsDueFill, YieldsAfterEveryHeaderAndAccountAndAStopEndsEverything)
{
    const uint32_t a = build.AddAccount(kLedgerSales, {.code = "A"});
    const uint32_t b = build.AddAccount(kLedgerSales, {.code = "B"});
    const uint32_t s = build.AddAccount(kLedgerPurchases, {.code = "S"});
    Add(kLedgerSales, a, "A", 1, 2);
    Add(kLedgerSales, b, "B", 3);
    Add(kLedgerPurchases, s, "S", 4, 1, 6);
    const struct {
        uint32_t category;
        int yields;
    } cases[] = {{kSalesDue, 5}, {kSalesDue | kPurchasesDue, 7}, {kPurchasesOverdue, 2}};
    for (const auto& c : cases) {
        RecordingSink sink;
        Scan(c.category, &sink);
        EXPECT_EQ(sink.yields, c.yields) << c.category;
    }
    RecordingSink first;
    Scan(kSalesDue, &first);
    // Each row is offered before the yield of its own header.
    EXPECT_EQ(first.yieldsBeforeRow, (std::vector<int>{0, 1, 3}));

    RecordingSink sink;
    // A category change arrives during the first yield: the header's yield that stopped it and
    // its account's; no header, account or ledger after.
    sink.onYield = [](RecordingSink& self) { self.stopped = true; };
    EXPECT_EQ(Scan(kSalesDue | kPurchasesDue, &sink), (std::vector<uint32_t>{1}));
    EXPECT_EQ(sink.yields, 2);
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

class TransactionDetailsLoad : public ::testing::Test {
protected:
    TransactionDetailsLoad() : build(co.Context())
    {
        // The same code in both ledgers, so a lookup in the wrong one shows.
        customer = build.AddAccount(kLedgerSales, {.code = "BOTH", .name = "Customer Co  ",
                                                   .contact = "Cas", .telephone = "111"});
        supplier = build.AddAccount(kLedgerPurchases, {.code = "BOTH", .name = "Supplier Co",
                                                       .contact = "", .telephone = "222"});
    }
    TempCompany co;
    LedgerBuilder build;
    uint32_t customer = 0;
    uint32_t supplier = 0;
};

// The viewer's fields are checked end to end; here, which account a transaction finds.
TEST_F(TransactionDetailsLoad, TheAccountIsFoundInTheLedgerOfTheTypeIgnoringCase)
{
    LedgerBuilder::Header h;
    h.account = "both";
    h.net = 100.0;
    h.tax = 17.5;
    h.paid = 50.0;
    h.transaction = 4711;
    build.AddHeader(kLedgerSales, customer, h);
    h.type = 6;
    h.transaction = 9;
    build.AddHeader(kLedgerPurchases, supplier, h);

    const TransactionDetails sale = TransactionDetails::Load(co.Context(), 4711);
    ASSERT_TRUE(sale.accountFound);
    EXPECT_EQ(sale.accountReference, "both");
    EXPECT_EQ(sale.name, "Customer Co");
    EXPECT_EQ(sale.telephone, "111");
    EXPECT_DOUBLE_EQ(sale.outstanding, 67.5);
    const TransactionDetails purchase = TransactionDetails::Load(co.Context(), 9);
    EXPECT_EQ(purchase.Ledger(), kLedgerPurchases);
    EXPECT_EQ(purchase.name, "Supplier Co");
    EXPECT_EQ(purchase.telephone, "222");
}

TEST_F(TransactionDetailsLoad, MissingNumberOrAccountShowsWhatThereIs)
{
    const TransactionDetails none = TransactionDetails::Load(co.Context(), 12345);
    EXPECT_FALSE(none.found);
    EXPECT_EQ(none.number, 12345u);
    EXPECT_TRUE(none.accountReference.empty());
    EXPECT_DOUBLE_EQ(none.outstanding, 0.0);

    LedgerBuilder::Header h;
    h.account = "GONE";
    h.net = 5.0;
    h.transaction = 77;
    build.AddHeader(kLedgerSales, customer, h);
    const TransactionDetails orphan = TransactionDetails::Load(co.Context(), 77);
    EXPECT_TRUE(orphan.found);
    EXPECT_FALSE(orphan.accountFound);
    EXPECT_EQ(orphan.accountReference, "GONE");
    EXPECT_TRUE(orphan.name.empty());
    EXPECT_DOUBLE_EQ(orphan.outstanding, 5.0);
}

TEST(RowStepper, ButtonStates)
{
    struct Case {
        int selected, count;
        bool first, previous, next, last;
    } cases[] = {
        {0, 3, true, false, true, true},     // first row
        {1, 3, true, true, true, true},
        {2, 3, true, true, false, true},     // last row: Next disabled, Previous enabled
        {0, 1, false, false, false, false},  // one row: all disabled
        {-1, 3, true, false, false, true},   // nothing selected
        {-1, 0, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.selected << " of " << c.count);
        const RowStepper s = RowStepper::States(c.selected, c.count);
        EXPECT_EQ(s.first, c.first);
        EXPECT_EQ(s.previous, c.previous);
        EXPECT_EQ(s.next, c.next);
        EXPECT_EQ(s.last, c.last);
    }
}

TEST(RowStepper, TargetRows)
{
    using Step = RowStepper::Step;
    EXPECT_EQ(RowStepper::Target(Step::First, 2, 3), 0);
    EXPECT_EQ(RowStepper::Target(Step::Last, 0, 3), 2);
    EXPECT_EQ(RowStepper::Target(Step::Last, 0, 1), 0) << "one row is its own last";
    EXPECT_EQ(RowStepper::Target(Step::Next, 0, 3), 1);
    EXPECT_EQ(RowStepper::Target(Step::Next, 2, 3), -1);
    EXPECT_EQ(RowStepper::Target(Step::Next, -1, 3), -1);
    EXPECT_EQ(RowStepper::Target(Step::Previous, 2, 3), 1);
    EXPECT_EQ(RowStepper::Target(Step::Previous, 0, 3), -1);
    EXPECT_EQ(RowStepper::Target(Step::Previous, -1, 3), -1);
    EXPECT_EQ(RowStepper::Target(Step::First, -1, 0), -1);
    EXPECT_EQ(RowStepper::Target(Step::Last, -1, 0), -1);
}

TEST(ChainGuard, SeesRevisitsInClimbingAndFallingChains)
{
    ChainGuard g;
    for (uint32_t n : {3u, 7u, 9u}) EXPECT_TRUE(g.Visit(n));
    EXPECT_TRUE(g.Visit(5));   // a step down to a new record
    EXPECT_FALSE(g.Visit(7));  // back to one seen
    g.Reset();
    EXPECT_TRUE(g.Visit(7));
    // Long chains switch to hashing; revisits are still seen.
    ChainGuard longChain;
    for (uint32_t n = 1000; n > 900; --n) EXPECT_TRUE(longChain.Visit(n));
    for (uint32_t n = 2000; n < 2100; ++n) EXPECT_TRUE(longChain.Visit(n));
    EXPECT_FALSE(longChain.Visit(950));
    EXPECT_FALSE(longChain.Visit(2050));
    EXPECT_TRUE(longChain.Visit(10));
    EXPECT_FALSE(longChain.Visit(10));
}

}  // namespace
}  // namespace kelo
