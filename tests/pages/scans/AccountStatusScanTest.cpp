// The account rules: the Account Status categories and their scan, and the aged analysis the
// Account Details viewer shows (the bucket by days or calendar months, what an account's
// transactions add to it, damaged chains).

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LedgerBuilder.h"
#include "RecordingSink.h"
#include "host/data/FileMap.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "src/pages/scans/AccountDetails.h"
#include "src/pages/scans/AccountStatusScan.h"
#include "src/pages/scans/AgedAnalysis.h"
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
        {"90 days quiet is active", kLedgerSales, state(0, 0, 0, 90), 0},
        {"91 days quiet", kLedgerSales, state(0, 0, 0, 91), kSalesInactive},
        {"no last activity is never inactive", kLedgerSales, state(0, 0, 0, kNone), 0},
        {"credit chargeable", kLedgerSales, state(0, 0, 0, kNone, 1), kSalesCreditChargeable},
        {"review today is not beyond", kLedgerSales, state(0, 0, 0, kNone, 0, 0), 0},
        {"review yesterday", kLedgerSales, state(0, 0, 0, kNone, 0, 1), kSalesBeyondCreditReview},
        {"supplier over its limit", kLedgerPurchases, state(10.5, 10.0), kPurchaseOverCreditLimit},
        {"supplier on hold", kLedgerPurchases, state(0, 0, 1), kPurchaseOnHold},
        {"supplier credit charges are not read", kLedgerPurchases, state(0, 0, 0, kNone, 1), 0},
        {"supplier beyond review", kLedgerPurchases, state(0, 0, 0, kNone, 0, 1),
         kPurchaseBeyondCreditReview},
    };
    for (const AccountCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ClassifyAccount(c.ledger, c.account, kToday), c.bits);
    }
}

TEST(AccountStatusLedger, ByTheCategoryValue)
{
    for (uint32_t bit : {1u, 16u}) {
        EXPECT_EQ(AccountStatusLedgerOf(bit), kLedgerSales) << bit;
        EXPECT_EQ(AccountStatusPropertiesLedger(bit), kLedgerSales) << bit;
    }
    for (uint32_t bit : {32u, 256u}) {
        EXPECT_EQ(AccountStatusLedgerOf(bit), kLedgerPurchases) << bit;
        EXPECT_EQ(AccountStatusPropertiesLedger(bit), kLedgerPurchases) << bit;
    }
    for (uint32_t value : {0u, 3u, 512u, 33u})
        EXPECT_EQ(AccountStatusPropertiesLedger(value), 0) << value;
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

TEST_F(AccountStatusFill, TheLedgerOfTheCategoryInIndexOrderWithTheDeletedMarkAfterTheFirst)
{
    const uint32_t c = build.AddAccount(kLedgerSales, {.code = "CCC", .onHold = 1});
    const uint32_t a = build.AddAccount(kLedgerSales, {.code = "AAA", .onHold = 1});
    const uint32_t b = build.AddAccount(kLedgerSales, {.code = "BBB", .name = "Held Ltd  ",
                                                       .balance = -12.5, .onHold = 1});
    build.AddAccount(kLedgerSales, {.code = "PLAIN"});
    build.AddAccount(kLedgerPurchases, {.code = "SUPP", .onHold = 1});
    EXPECT_EQ(Scan(kPurchaseOnHold), std::vector<std::string>{"SUPP"});
    RecordingSink all;
    EXPECT_EQ(Scan(kSalesOnHold, &all), (std::vector<std::string>{"AAA", "BBB", "CCC"}));
    EXPECT_EQ(all.yields, 4);  // one per account
    const CKColumnSet& cols = AccountStatusColumns();
    EXPECT_EQ(cols.RowSize(), 86);
    EXPECT_EQ(cols.ReadText(all.rows.at(1), 1), "Held Ltd");
    EXPECT_DOUBLE_EQ(cols.ReadAmount(all.rows.at(1), 2), -12.5);
    EXPECT_EQ(cols.ReadUInt32(all.rows.at(1), 3), kSalesOnHold);
    EXPECT_EQ(AccountStatusRowRecord(all.rows.at(1)), b);
    build.MarkDeleted(kLedgerSales, a);  // first in index order: still listed
    build.MarkDeleted(kLedgerSales, c);  // reached by NextRecord: passed over
    EXPECT_EQ(Scan(kSalesOnHold), (std::vector<std::string>{"AAA", "BBB"}));

    RecordingSink sink;
    sink.onYield = [](RecordingSink& self) { self.stopped = true; };
    EXPECT_EQ(Scan(kSalesOnHold, &sink), (std::vector<std::string>{"AAA"}));
    EXPECT_EQ(sink.yields, 1);
}

double at(const AgedValues& v, AgedBucket b) { return v[static_cast<size_t>(b)]; }

struct BucketCase {
    const char* what;
    int age;
    AgedBucket bucket;
};

TEST(ChooseAgedBucket, DaysAgainstTheFirstDayOfEachPeriod)
{
    const AgingSettings days;  // 30/60/90/120
    const BucketCase cases[] = {
        {"3 days ahead", -3, AgedBucket::Future},  {"today", 0, AgedBucket::Current},
        {"29 days", 29, AgedBucket::Current},      {"30 days", 30, AgedBucket::Period1},
        {"45 days", 45, AgedBucket::Period1},      {"59 days", 59, AgedBucket::Period1},
        {"60 days", 60, AgedBucket::Period2},      {"65 days", 65, AgedBucket::Period2},
        {"90 days", 90, AgedBucket::Period3},      {"119 days", 119, AgedBucket::Period3},
        {"120 days", 120, AgedBucket::Older},      {"200 days", 200, AgedBucket::Older},
    };
    for (const BucketCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ChooseAgedBucket(days, kToday, static_cast<uint16_t>(kToday - c.age), 0), c.bucket);
    }
}

class AgedAnalysisOfAccount : public ::testing::Test {
protected:
    AgedAnalysisOfAccount() : build(co.Context())
    {
        customer = build.AddAccount(kLedgerSales, {.code = "CUST"});
        supplier = build.AddAccount(kLedgerPurchases, {.code = "SUPP"});
    }
    uint32_t Add(int ledger, uint8_t type, int age, double net, double tax = 0,
                 uint16_t exclusion = 0, uint16_t ageAsCurrent = 0)
    {
        const bool sales = ledger == kLedgerSales;
        return build.AddHeader(ledger, sales ? customer : supplier,
                               {.type = type, .account = sales ? "CUST" : "SUPP",
                                .date = uint16_t(kToday - age), .net = net, .tax = tax,
                                .exclusion = exclusion, .ageAsCurrent = ageAsCurrent});
    }
    AgedValues Aged(int ledger = kLedgerSales, AgingSettings settings = {})
    {
        return AccountDetails::Load(co.Context(), ledger == kLedgerSales ? customer : supplier,
                                    ledger, settings, kToday)
            .aged;
    }

    TempCompany co;
    LedgerBuilder build;
    uint32_t customer = 0;
    uint32_t supplier = 0;
};

TEST_F(AgedAnalysisOfAccount, CountedTypesExclusionsAndAllocationsUpToTheCutOff)
{
    Add(kLedgerSales, 2, 65, 20.0);  // a credit counts against the account
    Add(kLedgerSales, 1, 10, 30.0, 0, /*exclusion=*/1);  // skipped, its chain followed
    const uint32_t h = Add(kLedgerSales, 1, 10, 100.0, 17.5);
    build.AddAllocation(h, kToday + 1, 50.0);  // after the cut-off
    build.AddAllocation(h, kToday, 7.5);       // on it: counts
    const uint32_t settled = Add(kLedgerSales, 1, 10, 100.0);
    build.AddAllocation(settled, kToday - 1, 100.0);
    Add(kLedgerSales, 3, 10, 55.0);  // a receipt: not a counted type
    Add(kLedgerSales, 6, 10, 55.0);  // a purchase invoice on a customer
    Add(kLedgerSales, 4, -5, 40.0);  // a payment on account after the cut-off: passed over
    Add(kLedgerSales, 4, 5, 15.0);   // on or before: counted against
    Add(kLedgerSales, 1, -5, 40.0);  // an invoice after the cut-off is aged all the same
    const AgedValues v = Aged();
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Period2), -20.0);
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Current), 95.0);
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Future), 40.0);
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Total), 115.0);
}

TEST_F(AgedAnalysisOfAccount, SupplierTypesAndSettings)
{
    Add(kLedgerPurchases, 6, 10, 50.0);
    Add(kLedgerPurchases, 7, 10, 5.0);
    Add(kLedgerPurchases, 9, 10, 15.0);
    Add(kLedgerPurchases, 1, 10, 999.0);  // a sales invoice on a supplier: ignored
    AgingSettings s;
    s.period1 = 5;
    const AgedValues v = Aged(kLedgerPurchases, s);
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Period1), 30.0);
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Total), 30.0);
}

// A header aged as current needs both the company's setting and its own flag.
TEST_F(AgedAnalysisOfAccount, TheSettingsAndTheHeadersFlagReachTheBuckets)
{
    AgingSettings months;
    months.monthAging = true;
    months.ageAsCurrent = 1;
    // 15/06/2027 less 20 days is 26/05/2027: the previous calendar month.
    Add(kLedgerSales, 1, 20, 10.0);
    Add(kLedgerSales, 1, 200, 5.0, 0, 0, /*ageAsCurrent=*/1);
    Add(kLedgerSales, 1, 200, 3.0);
    Add(kLedgerSales, 1, -40, 7.0);  // a later month is Current, never Future
    EXPECT_DOUBLE_EQ(at(Aged(kLedgerSales, months), AgedBucket::Period1), 10.0);
    EXPECT_DOUBLE_EQ(at(Aged(kLedgerSales, months), AgedBucket::Current), 12.0);
    EXPECT_DOUBLE_EQ(at(Aged(kLedgerSales, months), AgedBucket::Older), 3.0);
    EXPECT_DOUBLE_EQ(at(Aged(kLedgerSales), AgedBucket::Current), 10.0);
    EXPECT_DOUBLE_EQ(at(Aged(kLedgerSales), AgedBucket::Older), 8.0);
}

}  // namespace
}  // namespace kelo
