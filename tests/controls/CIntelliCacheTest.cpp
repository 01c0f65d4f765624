#include "src/controls/CIntelliCache.h"

#include <gtest/gtest.h>

#include "src/controls/CIntelliStore.h"
#include "tests/controls/TempRegistry.h"

namespace kelo {
namespace {

class IntelliCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CIntelliStore::SetClock([this] { return now; });
    }
    void TearDown() override { CIntelliStore::SetClock({}); }

    test::TempRegistry registry;
    int64_t now = 5000;
};

TEST_F(IntelliCacheTest, OneCachePerKindAndFlagWhileHeld)
{
    auto a = CIntelliCache::Get(258, 0);
    EXPECT_EQ(CIntelliCache::Get(258, 0), a);
    EXPECT_NE(CIntelliCache::Get(258, 1), a);
    EXPECT_NE(CIntelliCache::Get(0, 0), a);
}

TEST_F(IntelliCacheTest, StaleStoresAreReplaced)
{
    CIntelliCache cache(258, 0, 60000, 32);
    auto first = cache.Lookup("40");
    first->Add("4000\tBank", 1, "4000");
    now += 60000;
    EXPECT_EQ(cache.Lookup("40"), first) << "at exactly the lifetime it still serves";
    ++now;
    auto second = cache.Lookup("40");
    EXPECT_NE(second, first);
    EXPECT_EQ(second->Count(), 0) << "a stale store's entries are not reused";
}

TEST_F(IntelliCacheTest, ALongerTextReusesTheMatchesOfAShorterOne)
{
    CIntelliCache cache(258, 0, 60000, 32);
    auto b = cache.Lookup("b");
    EXPECT_EQ(cache.Lookup("B"), b) << "found by name ignoring case";
    b->Add("4000\tBank charges", 1, "Bank charges");
    b->Add("4100\tBad debts", 2, "Bad debts");
    b->Add("B100\tStationery", 3, "B100");
    auto ba = cache.Lookup("BA");
    ASSERT_EQ(ba->Count(), 2);
    EXPECT_EQ(ba->Entries()[0].data, 1u);
    EXPECT_EQ(ba->Entries()[1].data, 2u);
    auto ban = cache.Lookup("ban");
    ASSERT_EQ(ban->Count(), 1);
    EXPECT_EQ(ban->Entries()[0].text, "4000\tBank charges");
    EXPECT_EQ(cache.Lookup("x")->Count(), 0);
}

}  // namespace
}  // namespace kelo
