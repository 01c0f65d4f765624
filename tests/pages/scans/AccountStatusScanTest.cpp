#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LedgerBuilder.h"
#include "RecordingSink.h"
#include "host/file/RecordFile.h"
#include "host/framework/CBAccessManager.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "src/pages/scans/AccountStatusScan.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
namespace {

using test::LedgerBuilder;
using test::RecordingSink;
using test::TempCompany;

const uint16_t kToday = DateNumberFromComponents(15, 6, 2027);

struct AccountCase {
    const char* what;
    int ledger;
    AccountState account;
    uint32_t bits;
};

constexpr int kNone = -100000;  // no date stored

// Dates given as days before the program date.
AccountState state(double balance, double limit, uint8_t hold = 0, int activityAge = kNone,
                   uint16_t charges = 0, int reviewAge = kNone)
{
    AccountState s;
    s.balance = balance;
    s.creditLimit = limit;
    s.onHold = hold;
    s.lastActivity = activityAge == kNone ? 0 : static_cast<uint16_t>(kToday - activityAge);
    s.creditCharges = charges;
    s.creditReview = reviewAge == kNone ? 0 : static_cast<uint16_t>(kToday - reviewAge);
    return s;
}

TEST(ClassifyAccount, ComparesTheStoredValues)
{
    const AccountCase cases[] = {
        {"a penny over the limit", kLedgerSales, state(1000.01, 1000.0), kSalesOverCreditLimit},
        {"exactly at the limit", kLedgerSales, state(1000.0, 1000.0), 0},
        {"no limit", kLedgerSales, state(5000.0, 0.0), 0},
        {"limit at the threshold is no limit", kLedgerSales, state(5000.0, 0.000000005), 0},
        {"on hold and 100 days quiet", kLedgerSales, state(0, 0, 1, 100),
         kSalesOnHold | kSalesInactive},
        {"any non-zero hold byte", kLedgerSales, state(0, 0, 0x80), kSalesOnHold},
        {"90 days quiet is active", kLedgerSales, state(0, 0, 0, 90), 0},
        {"91 days quiet", kLedgerSales, state(0, 0, 0, 91), kSalesInactive},
        {"no last activity is never inactive", kLedgerSales, state(0, 0, 0, kNone), 0},
        {"credit chargeable", kLedgerSales, state(0, 0, 0, kNone, 1), kSalesCreditChargeable},
        {"review today is not beyond", kLedgerSales, state(0, 0, 0, kNone, 0, 0), 0},
        {"review yesterday", kLedgerSales, state(0, 0, 0, kNone, 0, 1), kSalesBeyondCreditReview},
        {"review tomorrow", kLedgerSales, state(0, 0, 0, kNone, 0, -1), 0},
        {"supplier over its limit", kLedgerPurchases, state(10.5, 10.0), kPurchaseOverCreditLimit},
        {"supplier on hold", kLedgerPurchases, state(0, 0, 1), kPurchaseOnHold},
        {"supplier 91 days quiet", kLedgerPurchases, state(0, 0, 0, 91), kPurchaseInactive},
        {"supplier credit charges are not read", kLedgerPurchases, state(0, 0, 0, kNone, 1), 0},
        {"supplier beyond review", kLedgerPurchases, state(0, 0, 0, kNone, 0, 1),
         kPurchaseBeyondCreditReview},
        {"several at once", kLedgerSales, state(2000.0, 1000.0, 1, 200, 1, 30),
         kSalesOverCreditLimit | kSalesOnHold | kSalesInactive | kSalesCreditChargeable |
             kSalesBeyondCreditReview},
    };
    for (const AccountCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ClassifyAccount(c.ledger, c.account, kToday), c.bits);
    }
    // A review date equal to the program date is beyond review once the program date moves on.
    const AccountState review = state(0, 0, 0, kNone, 0, 0);
    EXPECT_EQ(ClassifyAccount(kLedgerSales, review, kToday + 1), kSalesBeyondCreditReview);
}

TEST(AccountStatusLedger, ByTheCategoryValue)
{
    EXPECT_EQ(AccountStatusLedgerOf(kSalesBeyondCreditReview), kLedgerSales);
    EXPECT_EQ(AccountStatusLedgerOf(kPurchaseOverCreditLimit), kLedgerPurchases);
    EXPECT_EQ(AccountStatusLedgerOf(kPurchaseOnHold), kLedgerPurchases);
    EXPECT_EQ(AccountStatusLedgerOf(kSalesOverCreditLimit), kLedgerSales);

    for (uint32_t bit : {1u, 2u, 4u, 8u, 16u})
        EXPECT_EQ(AccountStatusPropertiesLedger(bit), kLedgerSales) << bit;
    for (uint32_t bit : {32u, 64u, 128u, 256u})
        EXPECT_EQ(AccountStatusPropertiesLedger(bit), kLedgerPurchases) << bit;
    for (uint32_t value : {0u, 3u, 512u, 33u})
        EXPECT_EQ(AccountStatusPropertiesLedger(value), 0) << value;
}

TEST(AccountStatusCategories, NineForTheSupervisorNoneForABarredUser)
{
    const CBAccessManager barred;
    const auto all = AccountStatusCategories("OVERSEE", barred);
    ASSERT_EQ(all.size(), 9u);
    EXPECT_STREQ(all[0].text, "Sales Over Credit Limit");
    EXPECT_STREQ(all[3].text, "Sales Credit Chargeable");
    EXPECT_STREQ(all[5].text, "Purchase Over Credit Limit");
    EXPECT_STREQ(all[8].text, "Purchase Beyond Credit Review");
    for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i].bit, 1u << i);
    EXPECT_TRUE(AccountStatusCategories("JO", barred).empty());
}

TEST(AccountStatusColumns, RowIs86Bytes)
{
    const CKColumnSet& c = AccountStatusColumns();
    EXPECT_EQ(c.RowSize(), 86);
    ASSERT_EQ(c.Count(), 5);
    EXPECT_EQ(c.Column(0).title, "A/C");
    EXPECT_EQ(c.Column(1).title, "Name");
    EXPECT_EQ(c.Column(2).title, "Balance");
    EXPECT_EQ(c.Column(1).length, 61);
    EXPECT_TRUE(c.Column(3).hidden);
    EXPECT_TRUE(c.Column(4).hidden);
}

class AccountStatusFill : public ::testing::Test {
protected:
    AccountStatusFill() : build(co.Context()) {}

    std::vector<std::string> Scan(uint32_t category, RecordingSink* given = nullptr)
    {
        RecordingSink local;
        RecordingSink& sink = given ? *given : local;
        ScanAccountStatus(ScanInput{co.Context(), category, kToday, "OVERSEE"}, sink);
        std::vector<std::string> codes;
        for (const auto& row : sink.rows)
            codes.push_back(AccountStatusColumns().ReadText(row, 0));
        return codes;
    }

    TempCompany co;
    LedgerBuilder build;
};

TEST_F(AccountStatusFill, RowHoldsTheAccountAndItsRecordNumber)
{
    build.AddAccount(kLedgerSales, {.code = "PLAIN"});
    const uint32_t recNo =
        build.AddAccount(kLedgerSales, {.code = "HELD", .name = "Held Ltd  ", .balance = -12.5,
                                        .onHold = 1});
    RecordingSink sink;
    EXPECT_EQ(Scan(kSalesOnHold, &sink), std::vector<std::string>{"HELD"});
    const CKColumnSet& c = AccountStatusColumns();
    const auto& row = sink.rows.at(0);
    EXPECT_EQ(c.ReadText(row, 1), "Held Ltd");
    EXPECT_DOUBLE_EQ(c.ReadAmount(row, 2), -12.5);
    EXPECT_EQ(c.ReadUInt32(row, 3), kSalesOnHold);
    EXPECT_EQ(AccountStatusRowRecord(row), recNo);
    EXPECT_EQ(sink.yields, 2);  // one per account
}

TEST_F(AccountStatusFill, ScansOnlyTheLedgerOfTheCategory)
{
    build.AddAccount(kLedgerSales, {.code = "CUSTHOLD", .onHold = 1,
                                    .creditReview = static_cast<uint16_t>(kToday - 5)});
    build.AddAccount(kLedgerPurchases, {.code = "SUPPHOLD", .onHold = 1,
                                        .creditReview = static_cast<uint16_t>(kToday - 5)});
    EXPECT_EQ(Scan(kPurchaseOnHold), std::vector<std::string>{"SUPPHOLD"});
    EXPECT_EQ(Scan(kSalesOnHold), std::vector<std::string>{"CUSTHOLD"});
    EXPECT_EQ(Scan(kSalesBeyondCreditReview), std::vector<std::string>{"CUSTHOLD"});
    EXPECT_EQ(Scan(kPurchaseBeyondCreditReview), std::vector<std::string>{"SUPPHOLD"});
}

TEST_F(AccountStatusFill, IndexOrderAndTheDeletedMarkAfterTheFirstAccount)
{
    const uint32_t c = build.AddAccount(kLedgerSales, {.code = "CCC", .onHold = 1});
    const uint32_t a = build.AddAccount(kLedgerSales, {.code = "AAA", .onHold = 1});
    build.AddAccount(kLedgerSales, {.code = "BBB", .onHold = 1});
    build.MarkDeleted(kLedgerSales, a);  // first in index order: still listed
    build.MarkDeleted(kLedgerSales, c);  // reached by NextRecord: passed over
    const auto codes = Scan(kSalesOnHold);
    EXPECT_EQ(codes, (std::vector<std::string>{"AAA", "BBB"}));
}

TEST_F(AccountStatusFill, StopEndsTheScanAfterTheCurrentAccount)
{
    for (const char* code : {"A", "B", "C"}) build.AddAccount(kLedgerSales, {.code = code, .onHold = 1});
    RecordingSink sink;
    sink.onYield = [](RecordingSink& self) { self.stopped = self.yields >= 2; };
    EXPECT_EQ(Scan(kSalesOnHold, &sink), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(sink.yields, 2);
}

}  // namespace
}  // namespace kelo
