#include "src/controls/CIntelliStore.h"

#include <gtest/gtest.h>

#include "tests/controls/TempRegistry.h"

namespace kelo {
namespace {

const QString kKey = QStringLiteral("Software\\Kelo\\Plinth 70\\History\\TasksToDoDesc");
const QString kGroup = QStringLiteral("History/TasksToDoDesc");

QStringList Texts(const CIntelliStore& store)
{
    QStringList texts;
    for (const CIntelliEntry& e : store.Entries()) texts << e.text;
    return texts;
}

class IntelliStoreTest : public ::testing::Test {
protected:
    test::TempRegistry registry;
};

TEST_F(IntelliStoreTest, HistoryKeepsOneOfEachTextAndThirtyTwoAtMost)
{
    CIntelliStore store(CIntelliStore::kHistoryName);
    store.SetHistoryKey(kKey);
    for (const char* text : {"Pay rent", "Pay rent", "pay rent", "Phone bank", "Pay rent"})
        store.Add(QString::fromLatin1(text));
    EXPECT_EQ(Texts(store), QStringList({"Pay rent", "pay rent", "Phone bank"}));
    for (int i = 1; i <= 30; ++i) store.Add(QStringLiteral("text %1").arg(i));
    ASSERT_EQ(store.Count(), 32);
    EXPECT_EQ(store.Entries().front().text, "pay rent") << "the 33rd text drops the oldest";
    EXPECT_EQ(store.Entries().back().text, "text 30");
    store.Add(QStringLiteral("text 20"));  // already held: nothing more goes
    EXPECT_EQ(store.Entries().front().text, "pay rent");
}

TEST_F(IntelliStoreTest, SavedInFirstEnteredOrderWhenTheLastHolderGoes)
{
    {
        auto store = std::make_shared<CIntelliStore>(CIntelliStore::kHistoryName);
        store->SetHistoryKey(kKey);
        for (const char* text : {"Phone supplier", "Pay rent", "phone bank"})
            store->Add(QString::fromLatin1(text));
        EXPECT_TRUE(registry.Keys(kGroup).isEmpty()) << "nothing is written while it is held";
    }
    EXPECT_EQ(registry.Keys(kGroup), QStringList({"History0", "History1", "History2"}));
    EXPECT_EQ(registry.Value(kGroup, "History0").toString(), "Phone supplier");
    EXPECT_EQ(registry.Value(kGroup, "History2").toString(), "phone bank");
}

TEST_F(IntelliStoreTest, LoadingStopsAtTheFirstGapAndAtThirtyTwo)
{
    registry.SetValue(kGroup, "History0", "a");
    registry.SetValue(kGroup, "History1", "b");
    registry.SetValue(kGroup, "History3", "after the gap");
    CIntelliStore store(CIntelliStore::kHistoryName);
    store.SetHistoryKey(kKey);
    EXPECT_EQ(Texts(store), QStringList({"a", "b"}));

    for (int i = 0; i < 40; ++i) registry.SetValue(kGroup, QStringLiteral("History%1").arg(i), QString::number(i));
    store.LoadHistory();
    ASSERT_EQ(store.Count(), 32);
    EXPECT_EQ(store.Entries().back().text, "31");
}

}  // namespace
}  // namespace kelo
