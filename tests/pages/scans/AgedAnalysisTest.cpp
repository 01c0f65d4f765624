#include <vector>

#include <gtest/gtest.h>

#include "LedgerBuilder.h"
#include "host/file/RecordFile.h"
#include "host/util/Dates.h"
#include "src/pages/scans/AccountDetails.h"
#include "src/pages/scans/AgedAnalysis.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
namespace {

using test::LedgerBuilder;
using test::TempCompany;

const uint16_t kToday = DateNumberFromComponents(15, 6, 2027);

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

TEST(ChooseAgedBucket, AgeAsCurrentNeedsBothTheSettingAndTheFlag)
{
    AgingSettings on;
    on.ageAsCurrent = 1;
    const AgingSettings off;
    const uint16_t old = kToday - 200;
    EXPECT_EQ(ChooseAgedBucket(on, kToday, old, 1), AgedBucket::Current);
    EXPECT_EQ(ChooseAgedBucket(on, kToday, old, 0), AgedBucket::Older);
    EXPECT_EQ(ChooseAgedBucket(off, kToday, old, 1), AgedBucket::Older);
    AgingSettings onMonths = on;
    onMonths.monthAging = true;
    EXPECT_EQ(ChooseAgedBucket(onMonths, kToday, old, 1), AgedBucket::Current);
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

TEST_F(AgedAnalysisOfAccount, InvoiceLessAnAllocationIsCurrent)
{
    const uint32_t h = Add(kLedgerSales, 1, 10, 100.0, 17.5);
    build.AddAllocation(h, kToday - 2, 50.0);
    const AgedValues v = Aged();
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Current), 67.5);
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Total), 67.5);
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Period1), 0.0);
}

TEST_F(AgedAnalysisOfAccount, CreditCountsAgainstTheAccount)
{
    Add(kLedgerSales, 2, 65, 20.0);
    EXPECT_DOUBLE_EQ(at(Aged(), AgedBucket::Period2), -20.0);
    EXPECT_DOUBLE_EQ(at(Aged(), AgedBucket::Total), -20.0);
}

TEST_F(AgedAnalysisOfAccount, PaymentOnAccountAfterTheCutOffIsPassedOver)
{
    Add(kLedgerSales, 4, -5, 40.0);  // dated after the program date
    const AgedValues v = Aged();
    for (double x : v) EXPECT_DOUBLE_EQ(x, 0.0);
    Add(kLedgerSales, 4, 5, 15.0);  // on or before: counted against
    EXPECT_DOUBLE_EQ(at(Aged(), AgedBucket::Current), -15.0);
    // Invoices dated after the cut-off are still aged (Future).
    Add(kLedgerSales, 1, -5, 40.0);
    EXPECT_DOUBLE_EQ(at(Aged(), AgedBucket::Future), 40.0);
}

TEST_F(AgedAnalysisOfAccount, AllocationsAfterTheCutOffDoNotCount)
{
    const uint32_t h = Add(kLedgerSales, 1, 10, 100.0, 17.5);
    build.AddAllocation(h, kToday + 1, 50.0);
    build.AddAllocation(h, kToday, 7.5);  // on the cut-off: counts
    EXPECT_DOUBLE_EQ(at(Aged(), AgedBucket::Current), 110.0);
}

TEST_F(AgedAnalysisOfAccount, AllocationsOfEverySplitCount)
{
    const uint32_t h = Add(kLedgerSales, 1, 10, 100.0);
    const uint32_t second = build.AddSplit(h);
    build.AddAllocation(h, kToday - 1, 10.0);
    build.AddAllocation(h, kToday - 1, 2.5);
    build.AddAllocationOnSplit(second, kToday - 1, 5.0);
    EXPECT_DOUBLE_EQ(at(Aged(), AgedBucket::Current), 82.5);
}

TEST_F(AgedAnalysisOfAccount, ExcludedHeaderIsSkippedButItsChainFollowed)
{
    Add(kLedgerSales, 1, 10, 30.0, 0, /*exclusion=*/1);
    Add(kLedgerSales, 1, 10, 12.0);
    Add(kLedgerSales, 1, 70, 8.0);
    const AgedValues v = Aged();
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Current), 12.0);
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Period2), 8.0);
    EXPECT_DOUBLE_EQ(at(v, AgedBucket::Total), 20.0);
}

TEST_F(AgedAnalysisOfAccount, SettledAndUncountedHeadersAddNothing)
{
    const uint32_t h = Add(kLedgerSales, 1, 10, 100.0);
    build.AddAllocation(h, kToday - 1, 100.0);
    Add(kLedgerSales, 3, 10, 55.0);  // a receipt: not a counted type
    Add(kLedgerSales, 6, 10, 55.0);  // a purchase invoice on a customer
    const AgedValues v = Aged();
    for (double x : v) EXPECT_DOUBLE_EQ(x, 0.0);
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

TEST_F(AgedAnalysisOfAccount, TheSettingsAndTheHeadersFlagReachTheBuckets)
{
    AgingSettings months;
    months.monthAging = true;
    months.ageAsCurrent = 1;
    // 15/06/2027 less 20 days is 26/05/2027: the previous calendar month.
    Add(kLedgerSales, 1, 20, 10.0);
    Add(kLedgerSales, 1, 200, 5.0, 0, 0, /*ageAsCurrent=*/1);
    EXPECT_DOUBLE_EQ(at(Aged(kLedgerSales, months), AgedBucket::Period1), 10.0);
    EXPECT_DOUBLE_EQ(at(Aged(kLedgerSales, months), AgedBucket::Current), 5.0);
    EXPECT_DOUBLE_EQ(at(Aged(kLedgerSales), AgedBucket::Current), 10.0);
    EXPECT_DOUBLE_EQ(at(Aged(kLedgerSales), AgedBucket::Older), 5.0);
}

TEST_F(AgedAnalysisOfAccount, DamagedChainsEndWithoutHanging)
{
    const uint32_t h1 = Add(kLedgerSales, 1, 10, 10.0);
    const uint32_t h2 = Add(kLedgerSales, 1, 10, 20.0);
    build.SetNextHeader(h2, h1);  // the chain loops back
    const uint32_t a = build.AddAllocation(h1, kToday - 1, 1.0);
    build.SetNextAllocation(a, a);  // an allocation pointing at itself counts once
    build.SetFirstAllocation(build.FirstSplitOf(h2), 9999);  // allocation past the file
    EXPECT_DOUBLE_EQ(at(Aged(), AgedBucket::Current), 29.0);

    build.SetFirstSplit(h2, 8888);  // split past the file: net + tax stands
    EXPECT_DOUBLE_EQ(at(Aged(), AgedBucket::Current), 29.0);
    build.SetFirstHeader(kLedgerSales, customer, 7777);  // first header past the file
    EXPECT_DOUBLE_EQ(at(Aged(), AgedBucket::Total), 0.0);
}

TEST_F(AgedAnalysisOfAccount, OtherLedgerAgesNothing)
{
    Add(kLedgerSales, 1, 10, 10.0);
    const AgedValues v = AccountDetails::Load(co.Context(), customer, kLedgerNominal, {}, kToday).aged;
    for (double x : v) EXPECT_DOUBLE_EQ(x, 0.0);
}

// The viewer's tests show the fields; here, an account record that is not there.
TEST(AccountDetailsLoad, AMissingRecordIsNotFound)
{
    TempCompany co;
    const AccountDetails missing = AccountDetails::Load(co.Context(), 42, kLedgerPurchases, {}, kToday);
    EXPECT_FALSE(missing.found);
    EXPECT_TRUE(missing.name.empty());
    EXPECT_EQ(FormatViewerAmount(-0.001), "0.00");
}

}  // namespace
}  // namespace kelo
