#include <gtest/gtest.h>

#include "LedgerBuilder.h"
#include "host/file/RecordFile.h"
#include "host/util/Dates.h"
#include "src/pages/scans/ChainGuard.h"
#include "src/pages/scans/RowStepper.h"
#include "src/pages/scans/TransactionDetails.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
namespace {

using test::LedgerBuilder;
using test::TempCompany;

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

// The viewer's tests show every field; here, which account a transaction finds.
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
        {0, 1, false, false, false, false},  // one row: all disabled
        {2, 3, true, true, false, true},     // last row: Next disabled, Previous enabled
        {0, 3, true, false, true, true},     // first row
        {1, 3, true, true, true, true},
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
