#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LedgerBuilder.h"
#include "RecordingSink.h"
#include "host/file/RecordFile.h"
#include "host/framework/CBAccessManager.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "host/data/FileMap.h"
#include "host/data/UserRecord.h"
#include "src/pages/scans/AccountsDueScan.h"
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
        {"purchase 30 days", kLedgerPurchases, 50.0, 30, 30, 10, kPurchasesDue},
        {"purchase 5 days", kLedgerPurchases, 50.0, 5, 30, 10,
         kPurchasesDue | kPurchasesWithinSettlement},
        {"purchase -3 days", kLedgerPurchases, 50.0, -3, 30, 10,
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
    EXPECT_EQ(ClassifyInvoice(kLedgerSales, InvoiceOutstanding(100.0, 17.5, 117.499), kToday - 40,
                              kToday, 30, 10),
              0u);
    EXPECT_DOUBLE_EQ(InvoiceOutstanding(100.0, 17.5, 117.49), 0.01);
    // Half a penny rounds away from zero.
    EXPECT_DOUBLE_EQ(InvoiceOutstanding(1.0, 0.005, 0.0), 1.01);
}

TEST(AccountsDueColumns, RowIs128BytesInColumnOrder)
{
    const CKColumnSet& c = AccountsDueColumns();
    EXPECT_EQ(c.RowSize(), 128);
    ASSERT_EQ(c.Count(), 7);
    const char* titles[] = {"No", "A/C", "Date", "Ref", "Details", "Amount", ""};
    const int lengths[] = {4, 9, 11, 31, 61, 8, 4};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(c.Column(i).title.toStdString(), titles[i]);
        EXPECT_EQ(c.Column(i).length, lengths[i]);
    }
    EXPECT_TRUE(c.Column(6).hidden);
    // Numbers and amounts sort by value.
    EXPECT_EQ(c.Column(0).flags, 0x0108);
    EXPECT_EQ(c.Column(5).flags, 0x0108);
    EXPECT_EQ(c.Column(1).flags, 0x0008);
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

std::vector<std::string> texts(const std::vector<TaskCategory>& categories)
{
    std::vector<std::string> out;
    for (const TaskCategory& c : categories) out.push_back(c.text);
    return out;
}

TEST(AccountsDueCategories, AccessChecksWithTheSupervisorExempt)
{
    TempCompany co;
    addUser(co.Context(), 1, "SALESONLY", kAccessFull, kAccessNone);
    addUser(co.Context(), 2, "NOLEDGERS", kAccessNone, kAccessNone);
    const CBAccessManager barred;  // an unknown user: barred from everything

    const std::vector<std::string> all = {"Sales Overdue", "Sales Due", "Sales Within Settlement",
                                          "Purchases Overdue", "Purchases Due",
                                          "Purchases Within Settlement"};
    EXPECT_EQ(texts(AccountsDueCategories("OVERSEE", barred)), all);
    EXPECT_TRUE(AccountsDueCategories("oversee", barred).empty());
    EXPECT_TRUE(AccountsDueCategories("NOLEDGERS", CBAccessManager(co.Context(), "NOLEDGERS")).empty());
    const auto sales = AccountsDueCategories("SALESONLY", CBAccessManager(co.Context(), "SALESONLY"));
    ASSERT_EQ(sales.size(), 3u);
    EXPECT_EQ(sales[0].bit, kSalesOverdue);
    EXPECT_EQ(sales[2].bit, kSalesWithinSettlement);
    const auto everything = AccountsDueCategories("OVERSEE", barred);
    EXPECT_EQ(everything[3].bit, kPurchasesOverdue);
    EXPECT_EQ(everything[5].bit, kPurchasesWithinSettlement);
}

// A company with two customers and one supplier.
class AccountsDueFill : public ::testing::Test {
protected:
    AccountsDueFill() : build(co.Context()) {}

    std::vector<std::vector<uint8_t>> Scan(uint32_t category)
    {
        RecordingSink sink;
        ScanAccountsDue(ScanInput{co.Context(), category, kToday, "OVERSEE"}, sink);
        return sink.rows;
    }
    static uint32_t No(const std::vector<uint8_t>& row) { return AccountsDueRowTransaction(row); }
    static std::string Text(const std::vector<uint8_t>& row, AccountsDueColumn c)
    {
        return AccountsDueColumns().ReadText(row, static_cast<int>(c));
    }
    static std::vector<uint32_t> Numbers(const std::vector<std::vector<uint8_t>>& rows)
    {
        std::vector<uint32_t> out;
        for (const auto& r : rows) out.push_back(No(r));
        return out;
    }
    LedgerBuilder::Header Invoice(const std::string& account, int age, double net, uint32_t number,
                                  uint8_t type = 1)
    {
        return {.type = type, .account = account, .date = static_cast<uint16_t>(kToday - age),
                .net = net, .transaction = number};
    }

    TempCompany co;
    LedgerBuilder build;
};

TEST_F(AccountsDueFill, RowCarriesTheInvoiceFieldsAndItsBits)
{
    const uint32_t a = build.AddAccount(kLedgerSales, {.code = "ACME", .settlementPeriod = 10});
    LedgerBuilder::Header h = Invoice("ACME", 40, 100.0, 17);
    h.tax = 17.5;
    h.paid = 50.0;
    h.reference = "INV0042   ";
    h.details = "Widgets";
    build.AddHeader(kLedgerSales, a, h);

    const auto rows = Scan(kSalesOverdue);
    ASSERT_EQ(rows.size(), 1u);
    const CKColumnSet& c = AccountsDueColumns();
    EXPECT_EQ(No(rows[0]), 17u);
    EXPECT_EQ(Text(rows[0], AccountsDueColumn::Account), "ACME");
    EXPECT_EQ(Text(rows[0], AccountsDueColumn::Date), DateNumberToFullString(kToday - 40));
    EXPECT_EQ(Text(rows[0], AccountsDueColumn::Ref), "INV0042");
    EXPECT_EQ(Text(rows[0], AccountsDueColumn::Details), "Widgets");
    EXPECT_DOUBLE_EQ(c.ReadAmount(rows[0], static_cast<int>(AccountsDueColumn::Amount)), 67.5);
    EXPECT_EQ(c.ReadUInt32(rows[0], static_cast<int>(AccountsDueColumn::Bits)),
              kSalesOverdue | kSalesDue);
    EXPECT_TRUE(Scan(kSalesWithinSettlement).empty());
    EXPECT_EQ(Scan(kSalesDue).size(), 1u);
}

TEST_F(AccountsDueFill, CountsInvoicesOfTheLedgerOnlyAndSkipsExcludedAndSettled)
{
    const uint32_t c = build.AddAccount(kLedgerSales, {.code = "CUST"});
    const uint32_t s = build.AddAccount(kLedgerPurchases, {.code = "SUPP"});
    build.AddHeader(kLedgerSales, c, Invoice("CUST", 40, 10.0, 1));
    build.AddHeader(kLedgerSales, c, Invoice("CUST", 40, 10.0, 2, 6));  // a purchase invoice
    build.AddHeader(kLedgerSales, c, Invoice("CUST", 40, 10.0, 3, 2));  // a credit
    LedgerBuilder::Header excluded = Invoice("CUST", 40, 10.0, 4);
    excluded.exclusion = 1;
    build.AddHeader(kLedgerSales, c, excluded);
    LedgerBuilder::Header settled = Invoice("CUST", 40, 100.0, 5);
    settled.paid = 99.999;
    build.AddHeader(kLedgerSales, c, settled);
    build.AddHeader(kLedgerSales, c, Invoice("CUST", 40, 10.0, 6));
    build.AddHeader(kLedgerPurchases, s, Invoice("SUPP", 40, 10.0, 7, 6));
    build.AddHeader(kLedgerPurchases, s, Invoice("SUPP", 40, 10.0, 8));  // type 1 on a supplier

    EXPECT_EQ(Numbers(Scan(kSalesOverdue)), (std::vector<uint32_t>{1, 6}));
    EXPECT_EQ(Numbers(Scan(kPurchasesOverdue)), (std::vector<uint32_t>{7}));
    EXPECT_EQ(Numbers(Scan(kPurchasesDue)), (std::vector<uint32_t>{7}));
    // A value sharing bits with both ledgers lists both, sales first.
    EXPECT_EQ(Numbers(Scan(kSalesDue | kPurchasesDue)), (std::vector<uint32_t>{1, 6, 7}));
}

TEST_F(AccountsDueFill, RowsFollowTheAccountIndexThenTheChain)
{
    const uint32_t zed = build.AddAccount(kLedgerSales, {.code = "ZED"});
    const uint32_t abc = build.AddAccount(kLedgerSales, {.code = "ABC"});
    build.AddHeader(kLedgerSales, zed, Invoice("ZED", 40, 1.0, 10));
    build.AddHeader(kLedgerSales, abc, Invoice("ABC", 40, 1.0, 20));
    build.AddHeader(kLedgerSales, zed, Invoice("ZED", 40, 1.0, 11));
    build.AddHeader(kLedgerSales, abc, Invoice("ABC", 40, 1.0, 21));
    EXPECT_EQ(Numbers(Scan(kSalesDue)), (std::vector<uint32_t>{20, 21, 10, 11}));
}

TEST_F(AccountsDueFill, DeletedMarkCountsOnlyOnAccountsReachedByNextRecord)
{
    const uint32_t first = build.AddAccount(kLedgerSales, {.code = "AAA"});
    const uint32_t second = build.AddAccount(kLedgerSales, {.code = "BBB"});
    const uint32_t third = build.AddAccount(kLedgerSales, {.code = "CCC"});
    build.AddHeader(kLedgerSales, first, Invoice("AAA", 40, 1.0, 1));
    build.AddHeader(kLedgerSales, second, Invoice("BBB", 40, 1.0, 2));
    build.AddHeader(kLedgerSales, third, Invoice("CCC", 40, 1.0, 3));
    build.MarkDeleted(kLedgerSales, first);
    build.MarkDeleted(kLedgerSales, second);
    EXPECT_EQ(Numbers(Scan(kSalesDue)), (std::vector<uint32_t>{1, 3}));
}

TEST_F(AccountsDueFill, YieldsAfterEveryHeaderAndEveryAccount)
{
    const uint32_t a = build.AddAccount(kLedgerSales, {.code = "A"});
    build.AddAccount(kLedgerSales, {.code = "B"});
    const uint32_t s = build.AddAccount(kLedgerPurchases, {.code = "S"});
    build.AddHeader(kLedgerSales, a, Invoice("A", 40, 1.0, 1));
    build.AddHeader(kLedgerSales, a, Invoice("A", 40, 1.0, 2));
    build.AddHeader(kLedgerPurchases, s, Invoice("S", 40, 1.0, 3));
    RecordingSink sink;
    ScanAccountsDue(ScanInput{co.Context(), kSalesDue, kToday, "OVERSEE"}, sink);
    // 2 headers + 2 accounts of the sales ledger; the purchases cannot be due under a sales bit.
    EXPECT_EQ(sink.yields, 4);
    // Each row is offered before the yield of its own header.
    EXPECT_EQ(sink.yieldsBeforeRow, (std::vector<int>{0, 1}));

    RecordingSink both;
    ScanAccountsDue(ScanInput{co.Context(), kSalesDue | kPurchasesDue, kToday, "OVERSEE"}, both);
    EXPECT_EQ(both.yields, 6);  // 3 headers + 3 accounts
    RecordingSink purchases;
    ScanAccountsDue(ScanInput{co.Context(), kPurchasesOverdue, kToday, "OVERSEE"}, purchases);
    EXPECT_EQ(purchases.yields, 2);  // the supplier's header and the supplier
}

TEST_F(AccountsDueFill, StopDuringAYieldEndsTheFillAndSkipsThePurchases)
{
    const uint32_t a = build.AddAccount(kLedgerSales, {.code = "A"});
    const uint32_t b = build.AddAccount(kLedgerSales, {.code = "B"});
    const uint32_t s = build.AddAccount(kLedgerPurchases, {.code = "S"});
    build.AddHeader(kLedgerSales, a, Invoice("A", 40, 1.0, 1));
    build.AddHeader(kLedgerSales, a, Invoice("A", 40, 1.0, 2));
    build.AddHeader(kLedgerSales, b, Invoice("B", 40, 1.0, 3));
    build.AddHeader(kLedgerPurchases, s, Invoice("S", 40, 1.0, 4, 6));

    RecordingSink sink;
    // A category change arrives during the first yield.
    sink.onYield = [](RecordingSink& self) { self.stopped = true; };
    ScanAccountsDue(ScanInput{co.Context(), kSalesDue | kPurchasesDue, kToday, "OVERSEE"}, sink);
    EXPECT_EQ(Numbers(sink.rows), (std::vector<uint32_t>{1}));
    // The header's yield that stopped it and its account's; no header, account or ledger after.
    EXPECT_EQ(sink.yields, 2);
}

TEST_F(AccountsDueFill, LoopingChainEndsAndTheNextAccountIsScanned)
{
    const uint32_t a = build.AddAccount(kLedgerSales, {.code = "LOOP"});
    const uint32_t b = build.AddAccount(kLedgerSales, {.code = "NEXT"});
    const uint32_t h1 = build.AddHeader(kLedgerSales, a, Invoice("LOOP", 40, 1.0, 1));
    build.AddHeader(kLedgerSales, a, Invoice("LOOP", 40, 1.0, 2));
    const uint32_t h3 = build.AddHeader(kLedgerSales, a, Invoice("LOOP", 40, 1.0, 3));
    build.AddHeader(kLedgerSales, b, Invoice("NEXT", 40, 1.0, 4));
    build.SetNextHeader(h3, h1);  // back to the start
    EXPECT_EQ(Numbers(Scan(kSalesDue)), (std::vector<uint32_t>{1, 2, 3, 4}));

    build.SetNextHeader(h1, h1);  // a header pointing at itself
    EXPECT_EQ(Numbers(Scan(kSalesDue)), (std::vector<uint32_t>{1, 4}));
}

TEST_F(AccountsDueFill, NumbersPastTheFileEndWhatTheyLeadTo)
{
    const uint32_t lost = build.AddAccount(kLedgerSales, {.code = "LOST"});
    const uint32_t a = build.AddAccount(kLedgerSales, {.code = "MAIN"});
    const uint32_t h1 = build.AddHeader(kLedgerSales, a, Invoice("MAIN", 40, 1.0, 1));
    const uint32_t h2 = build.AddHeader(kLedgerSales, a, Invoice("MAIN", 40, 2.0, 2));
    build.SetFirstHeader(kLedgerSales, lost, 9999);  // first header past the file
    build.SetFirstSplit(h1, 8888);                   // split past the file
    build.SetNextHeader(h2, 7777);                   // next header past the file

    const auto rows = Scan(kSalesDue);
    ASSERT_EQ(rows.size(), 2u);
    // The invoice whose split is lost is still listed, without its number.
    EXPECT_EQ(No(rows[0]), 0u);
    EXPECT_DOUBLE_EQ(
        AccountsDueColumns().ReadAmount(rows[0], static_cast<int>(AccountsDueColumn::Amount)), 1.0);
    EXPECT_EQ(No(rows[1]), 2u);
}

}  // namespace
}  // namespace kelo
