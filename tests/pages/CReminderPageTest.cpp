#include "src/pages/CReminderPage.h"

#include <memory>
#include <stdexcept>
#include <vector>

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QPointer>
#include <QThread>

#include <gtest/gtest.h>

#include "host/ui/CKColumnSet.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "host/ui/CKTreeView.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/FakeTaskServices.h"

namespace kelo {
namespace {

int g_destroyed = 0;

// A page whose scan yields after every row; each row holds the category it was made for.
class YieldingPage final : public CReminderPage {
public:
    YieldingPage(TaskServices& services, CKTreeView* tree, int contextMenu = 0)
        : CReminderPage(900, 901, services, nullptr, tree, contextMenu)
    {
        SetColumns(CKColumnSet{CKColumn::UInt32(QStringLiteral("Category"), 8)});
    }
    ~YieldingPage() override { ++g_destroyed; }

    void FillList() override
    {
        ++fills;
        RunFill(
            [this](const ScanInput& input, ScanSink& sink) {
                for (int i = 0; i < rowsPerFill && !sink.Stopped(); ++i) {
                    if (throwAt == i) throw std::runtime_error("TODO.DTA: record 3 is damaged");
                    std::vector<uint8_t> row(4);
                    List()->Columns().WriteUInt32(row, 0, input.category);
                    sink.AddRow(row);
                    const int before = g_destroyed;
                    sink.Yield();
                    // Still on this page's stack: it must not have been freed by the yield.
                    freedUnderFill |= g_destroyed != before;
                }
            },
            true);
    }

    bool OnInitDialog() override
    {
        if (!CReminderPage::OnInitDialog()) return false;
        static const TaskCategory categories[] = {{"First", 1}, {"Second", 2}, {"Third", 4}};
        SetUpCategories(categories);
        return true;
    }

    std::vector<uint32_t> Rows() const
    {
        std::vector<uint32_t> v;
        for (int r = 0; r < List()->RowCount(); ++r)
            v.push_back(List()->Columns().ReadUInt32(List()->RowBytes(r), 0));
        return v;
    }

    int fills = 0;
    int rowsPerFill = 6;
    int throwAt = -1;
    bool freedUnderFill = false;
};

void Drain()
{
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

class PageTest : public ::testing::Test {
protected:
    void SetUp() override { g_destroyed = 0; }
    test::TempCompany company;
    test::FakeTaskServices services{company.Context(), "ANNA"};
    CKTreeView tree;
};

TEST_F(PageTest, StartAddsCategoriesAndFillsTheFirst)
{
    auto* page = new YieldingPage(services, &tree);
    page->Create(nullptr);
    ASSERT_EQ(tree.ItemCount(), 3);
    EXPECT_EQ(tree.GetItemText(0), "First");
    EXPECT_EQ(tree.GetItemValue(2), 4u);
    EXPECT_EQ(page->CategoryValue(), 1u);
    EXPECT_EQ(page->fills, 0) << "the first fill is posted, not run inside initialisation";
    Drain();
    EXPECT_EQ(page->fills, 1);
    EXPECT_EQ(page->Rows(), std::vector<uint32_t>(6, 1));
    EXPECT_EQ(page->List()->GetSelectedRow(), 0);
    EXPECT_TRUE(page->IsFillComplete());
    EXPECT_FALSE(page->IsBusy());
    page->DestroyWindow();
    page->DestroyWindow();
    Drain();
    EXPECT_EQ(g_destroyed, 1) << "an idle page is freed once";
}

TEST_F(PageTest, CategoryChangeDuringBackgroundFillEndsWithTheNewCategory)
{
    services.backgroundFill = true;
    auto* page = new YieldingPage(services, &tree);
    QPointer<YieldingPage> guard(page);
    // The change arrives inside the fill's yield; the 2348 it posts is refused by the busy
    // guard in that same yield.
    services.onYield = [&](int n) {
        if (n == 2) page->OnCategorySelected(1, 2);
    };
    page->Create(nullptr);
    Drain();
    ASSERT_TRUE(guard);
    EXPECT_EQ(page->Rows(), std::vector<uint32_t>(6, 2));
    EXPECT_EQ(page->fills, 3) << "first fill, the refused one, the fill for the new category";
    EXPECT_EQ(page->List()->GetSelectedRow(), 0);
    EXPECT_EQ(page->CategoryValue(), 2u);
    page->DestroyWindow();
    Drain();
}

TEST_F(PageTest, LongBackgroundFillShowsItsRowsSoFarThenTakesThemAway)
{
    for (const bool background : {false, true}) {
        services.backgroundFill = background;
        services.progress.clear();
        // Each record takes 60 ms: past 200 ms the fill counts as long.
        services.onYield = [](int) { QThread::msleep(60); };
        auto* page = new YieldingPage(services, &tree);
        page->Create(nullptr);
        Drain();
        if (!background) {
            EXPECT_TRUE(services.progress.empty()) << "a frozen window shows no progress";
        } else {
            ASSERT_GE(services.progress.size(), 2u);
            EXPECT_EQ(services.progress.back(), -1);
            for (size_t i = 0; i + 1 < services.progress.size(); ++i) {
                EXPECT_GE(services.progress[i], 4) << "not before 200 ms";
                EXPECT_LE(services.progress[i], 6);
                if (i > 0) {
                    EXPECT_GT(services.progress[i], services.progress[i - 1]);
                }
            }
        }
        page->DestroyWindow();
        Drain();
    }
}

TEST_F(PageTest, CategoryChangeWhosePostWaitsGivesOneMoreFillOnly)
{
    // Background fill off: the fill never returns to the loop, so the posted 2348 waits and
    // must not be followed by a second one.
    auto* page = new YieldingPage(services, &tree);
    page->Create(nullptr);
    Drain();
    page->OnCategorySelected(2, 4);
    page->OnCategorySelected(1, 2);
    Drain();
    EXPECT_EQ(page->Rows(), std::vector<uint32_t>(6, 2));
    EXPECT_EQ(page->fills, 3);
    page->DestroyWindow();
    Drain();
}

TEST_F(PageTest, DestroyedDuringItsFillIsFreedOnceByTheFill)
{
    services.backgroundFill = true;
    auto* page = new YieldingPage(services, &tree);
    QPointer<YieldingPage> guard(page);
    services.onYield = [&](int n) {
        if (n == 3) page->DestroyWindow();
    };
    page->Create(nullptr);
    Drain();
    EXPECT_FALSE(guard);
    EXPECT_EQ(g_destroyed, 1);
    EXPECT_EQ(services.yields, 3) << "the fill stops at the record after the destruction";
    // No second delete: the destructor count would show it (and the sanitiser in CI).
    Drain();
    EXPECT_EQ(g_destroyed, 1);
}

TEST_F(PageTest, NotFreedWhileItsFillIsOnTheStack)
{
    services.backgroundFill = true;
    auto* page = new YieldingPage(services, &tree);
    int insideYield = -1;
    services.onYield = [&](int n) {
        if (n != 1) return;
        page->DestroyWindow();
        // Whatever the host's loop does with pending deletions, the page must survive it.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        insideYield = g_destroyed;
    };
    page->Create(nullptr);
    Drain();
    EXPECT_EQ(insideYield, 0);
    EXPECT_EQ(g_destroyed, 1);
}

TEST_F(PageTest, RefreshDuringAFillIsRefused)
{
    services.backgroundFill = true;
    auto* page = new YieldingPage(services, &tree);
    std::vector<int> rowsSeen;
    services.onYield = [&](int n) {
        if (n == 2) {
            page->Refresh();
            rowsSeen.push_back(page->List()->RowCount());
        }
    };
    page->Create(nullptr);
    Drain();
    EXPECT_EQ(rowsSeen, std::vector<int>({2})) << "the running fill's list is left alone";
    EXPECT_EQ(page->fills, 2);
    EXPECT_EQ(page->List()->RowCount(), 6);
    page->DestroyWindow();
    Drain();
}

TEST_F(PageTest, DataFaultShowsOneMessageAndKeepsTheRows)
{
    CKScriptedAnswerer answers;
    auto* page = new YieldingPage(services, &tree);
    page->throwAt = 2;
    page->Create(nullptr);
    Drain();
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text, "TODO.DTA: record 3 is damaged");
    EXPECT_EQ(answers.Messages()[0].kind, 1);
    EXPECT_EQ(page->List()->RowCount(), 2);
    EXPECT_FALSE(page->IsBusy());
    page->throwAt = -1;
    page->SendCommand(kCommandDataChanged);
    EXPECT_EQ(page->List()->RowCount(), 6) << "command 500 refills";
    page->DestroyWindow();
    Drain();
}

TEST_F(PageTest, EnterAndEscapeDoNotClose)
{
    auto* page = new YieldingPage(services, &tree);
    page->Create(nullptr);
    Drain();
    EXPECT_TRUE(page->SendCommand(IDOK));
    EXPECT_TRUE(page->SendCommand(IDCANCEL));
    Drain();
    EXPECT_FALSE(page->IsDestroyed());
    EXPECT_EQ(g_destroyed, 0);
    EXPECT_TRUE(page->SendCommand(kCommandDateChanged));
    EXPECT_EQ(page->fills, 2) << "2350 refreshes";
    page->DestroyWindow();
    Drain();
}

TEST_F(PageTest, BaseMenuStateGreysTheFileAndClearCommands)
{
    auto* page = new YieldingPage(services, &tree);
    QMenu menu;
    const int ids[] = {kCommandNew, kCommandOpen, kCommandDelete, kCommandPay,
                       kCommandProperties, kCommandClearToDo, kCommandClearBills};
    for (int id : ids) menu.addAction(QString::number(id))->setData(id);
    QAction* exit = menu.addAction(QStringLiteral("Exit"));
    exit->setData(32781);
    page->UpdateCommandMenu(&menu);
    for (int id : ids) EXPECT_FALSE(CReminderPage::FindCommand(&menu, id)->isEnabled()) << id;
    EXPECT_TRUE(exit->isEnabled());
    delete page;
}

TEST(ContextMenus, ResourcesHoldTheirItems)
{
    struct Case {
        int id;
        std::vector<std::pair<QString, int>> items;
    } cases[] = {
        {111, {{"&New...", 32794}, {"&Open...", 32795}, {"&Delete...", 32796}}},
        {112, {{"&New...", 32794}, {"&Open...", 32795}, {"&Delete...", 32796}, {"&Pay", 32798}}},
        {113, {{"&Properties", 32797}}},
        {116, {{"&Properties", 32797}}},
        {123, {{"&Properties", 32797}}},
        {124, {{"&Open...", 32795}, {"&Delete...", 32796}}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<QMenu> menu(CReminderPage::LoadContextMenu(c.id));
        ASSERT_TRUE(menu) << c.id;
        std::vector<std::pair<QString, int>> items;
        for (QAction* a : menu->actions()) items.emplace_back(a->text(), a->data().toInt());
        EXPECT_EQ(items, c.items) << c.id;
    }
    EXPECT_EQ(CReminderPage::LoadContextMenu(0), nullptr);
}

}  // namespace
}  // namespace kelo
