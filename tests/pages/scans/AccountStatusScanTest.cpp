// The account rules: the Account Status categories and their scan, and the aged analysis the
// Account Details viewer shows (the bucket by days or calendar months, what an account's
// transactions add to it, damaged chains).

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LedgerBuilder.h"
#include "RecordingSink.h"
#include "host/data/AccountRecord.h"
#include "host/data/AllocationRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/FileMap.h"
#include "host/data/SplitRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/CBAccessManager.h"
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

TEST(AccountStatusCategories, NineForTheSupervisorNoneForABarredUser)
{
    const CBAccessManager barred;
    EXPECT_EQ(AccountStatusCategories("OVERSEE", barred).size(), 9u);
    EXPECT_TRUE(AccountStatusCategories("JO", barred).empty());
    EXPECT_EQ(AccountStatusColumns().RowSize(), 86);
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

TEST_F(AccountStatusFill, OnlyTheLedgerOfTheCategoryInIndexOrderWithTheDeletedMarkAfterTheFirst)
{
    const uint32_t c = build.AddAccount(kLedgerSales, {.code = "CCC", .onHold = 1});
    const uint32_t a = build.AddAccount(kLedgerSales, {.code = "AAA", .onHold = 1});
    build.AddAccount(kLedgerSales, {.code = "BBB", .onHold = 1});
    build.AddAccount(kLedgerPurchases, {.code = "SUPP", .onHold = 1});
    EXPECT_EQ(Scan(kPurchaseOnHold), std::vector<std::string>{"SUPP"});
    EXPECT_EQ(Scan(kSalesOnHold), (std::vector<std::string>{"AAA", "BBB", "CCC"}));
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

TEST(ChooseAgedBucket, MonthsByCalendarMonthAcrossAYearEnd)
{
    AgingSettings months;
    months.monthAging = true;
    const uint16_t jan10 = DateNumberFromComponents(10, 1, 2028);
    const auto d = [](int day, int month, int year) { return DateNumberFromComponents(day, month, year); };
    EXPECT_EQ(ChooseAgedBucket(months, jan10, d(1, 1, 2028), 0), AgedBucket::Current);
    EXPECT_EQ(ChooseAgedBucket(months, jan10, d(31, 12, 2027), 0), AgedBucket::Period1);
    EXPECT_EQ(ChooseAgedBucket(months, jan10, d(1, 12, 2027), 0), AgedBucket::Period1);
    EXPECT_EQ(ChooseAgedBucket(months, jan10, d(30, 11, 2027), 0), AgedBucket::Period2);
    EXPECT_EQ(ChooseAgedBucket(months, jan10, d(1, 10, 2027), 0), AgedBucket::Period3);
    EXPECT_EQ(ChooseAgedBucket(months, jan10, d(28, 9, 2027), 0), AgedBucket::Older);
    EXPECT_EQ(ChooseAgedBucket(months, jan10, d(1, 1, 2020), 0), AgedBucket::Older);
    // A later month is Current, never Future.
    EXPECT_EQ(ChooseAgedBucket(months, jan10, d(3, 3, 2028), 0), AgedBucket::Current);
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
        LedgerBuilder::Header h;
        h.type = type;
        h.account = ledger == kLedgerSales ? "CUST" : "SUPP";
        h.date = static_cast<uint16_t>(kToday - age);
        h.net = net;
        h.tax = tax;
        h.exclusion = exclusion;
        h.ageAsCurrent = ageAsCurrent;
        return build.AddHeader(ledger, ledger == kLedgerSales ? customer : supplier, h);
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

TEST_F(AgedAnalysisOfAccount, AllocationsOfEverySplitUpToTheCutOffCount)
{
    const uint32_t h = Add(kLedgerSales, 1, 10, 100.0, 17.5);
    build.AddAllocation(h, kToday + 1, 50.0);  // after the cut-off
    build.AddAllocation(h, kToday, 7.5);       // on it: counts
    build.AddAllocationOnSplit(build.AddSplit(h), kToday - 1, 5.0);
    const AgedValues v = Aged();
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Current), 105.0);
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Total), 105.0);
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Period1), 0.0);
}

TEST_F(AgedAnalysisOfAccount, CountedTypesExclusionsAndSettledInvoices)
{
    Add(kLedgerSales, 2, 65, 20.0);  // a credit counts against the account
    Add(kLedgerSales, 1, 10, 30.0, 0, /*exclusion=*/1);  // skipped, its chain followed
    Add(kLedgerSales, 1, 10, 12.0);
    const uint32_t settled = Add(kLedgerSales, 1, 10, 100.0);
    build.AddAllocation(settled, kToday - 1, 100.0);
    Add(kLedgerSales, 3, 10, 55.0);  // a receipt: not a counted type
    Add(kLedgerSales, 6, 10, 55.0);  // a purchase invoice on a customer
    Add(kLedgerSales, 4, -5, 40.0);  // a payment on account after the cut-off: passed over
    Add(kLedgerSales, 4, 5, 15.0);   // on or before: counted against
    Add(kLedgerSales, 1, -5, 40.0);  // an invoice after the cut-off is aged all the same
    const AgedValues v = Aged();
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Period2), -20.0);
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Current), -3.0);
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Future), 40.0);
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Total), 17.0);
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
    EXPECT_DOUBLE_EQ(at(Aged(kLedgerSales, months), AgedBucket::Period1), 10.0);
    EXPECT_DOUBLE_EQ(at(Aged(kLedgerSales, months), AgedBucket::Current), 5.0);
    EXPECT_DOUBLE_EQ(at(Aged(kLedgerSales, months), AgedBucket::Older), 3.0);
    EXPECT_DOUBLE_EQ(at(Aged(kLedgerSales), AgedBucket::Current), 10.0);
    EXPECT_DOUBLE_EQ(at(Aged(kLedgerSales), AgedBucket::Older), 8.0);
}

TEST_F(AgedAnalysisOfAccount, DamagedChainsEndWithoutHanging)
{
    const uint32_t h1 = Add(kLedgerSales, 1, 10, 10.0);
    const uint32_t h2 = Add(kLedgerSales, 1, 10, 20.0);
    build.Poke(kFileAuditHeaders, h2, kHeaderNextHeader, h1);  // the chain loops back
    const uint32_t a = build.AddAllocation(h1, kToday - 1, 1.0);
    // An allocation pointing at itself counts once; one past the file is not there.
    build.Poke(kFileAllocations, a, kAllocationNext, a);
    build.Poke(kFileSplits, build.FirstSplitOf(h2), kSplitFirstAllocation, 9999);
    EXPECT_DOUBLE_EQ(at(Aged(), AgedBucket::Current), 29.0);

    build.Poke(kFileAuditHeaders, h2, kHeaderFirstSplit, 8888);  // split past the file: net + tax stands
    EXPECT_DOUBLE_EQ(at(Aged(), AgedBucket::Current), 29.0);
    build.Poke(kFileCustomers, customer, kAccountFirstHeader, 7777);  // first header past the file
    EXPECT_DOUBLE_EQ(at(Aged(), AgedBucket::Total), 0.0);
}

// The viewer's fields are checked end to end; here, an account record that is not there and a
// ledger that ages nothing.
TEST_F(AgedAnalysisOfAccount, AMissingRecordIsNotFoundAndAnotherLedgerAgesNothing)
{
    Add(kLedgerSales, 1, 10, 10.0);
    for (double x : AccountDetails::Load(co.Context(), customer, kLedgerNominal, {}, kToday).aged)
        EXPECT_DOUBLE_EQ(x, 0.0);
    const AccountDetails missing = AccountDetails::Load(co.Context(), 42, kLedgerPurchases, {}, kToday);
    EXPECT_FALSE(missing.found);
    EXPECT_TRUE(missing.name.empty());
    EXPECT_EQ(FormatViewerAmount(-0.001), "0.00");
}

}  // namespace
}  // namespace kelo
