// The page base under its own fill: started, moved to another category or destroyed inside a
// yield, and told of damaged data, with a page whose scan yields after every row (the list pages
// themselves are their scans, and are clicked through end to end).

#include <vector>

#include <QCoreApplication>
#include <QPointer>

#include <gtest/gtest.h>

#include "host/ui/CKColumnSet.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKTreeView.h"
#include "src/pages/CReminderPage.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/FakeTaskServices.h"

namespace kelo {
namespace {

int g_destroyed = 0;

// A page whose scan yields after every row; each row holds the category it was made for.
class YieldingPage final : public CReminderPage {
public:
    YieldingPage(TaskServices& services, CKTreeView* tree)
        : CReminderPage(900, 901, services, nullptr, tree, 0)
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
                    std::vector<uint8_t> row(4);
                    List()->Columns().WriteUInt32(row, 0, input.category);
                    sink.AddRow(row);
                    sink.Yield();
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
};

class PageTest : public ::testing::Test {
protected:
    void SetUp() override { g_destroyed = 0; }
    test::TempCompany company;
    test::FakeTaskServices services{company.Context(), "ANNA"};
    CKTreeView tree;
};

TEST_F(PageTest, CategoryChangeDuringBackgroundFillEndsWithTheNewCategory)
{
    services.backgroundFill = true;
    auto* page = new YieldingPage(services, &tree);
    // The change arrives inside the fill's yield; the fill it posts is refused by the busy
    // guard in that same yield.
    services.onYield = [&](int n) {
        if (n == 2) page->OnCategorySelected(1, 2);
    };
    page->Create(nullptr);
    test::DrainPostedEvents();
    EXPECT_EQ(page->Rows(), std::vector<uint32_t>(6, 2));
    EXPECT_EQ(page->fills, 3) << "first fill, the refused one, the fill for the new category";
    EXPECT_EQ(page->List()->GetSelectedRow(), 0);
    page->DestroyWindow();
    test::DrainPostedEvents();
}

TEST_F(PageTest, DestroyedDuringItsFillIsFreedOnceByTheFillAfterItsStack)
{
    services.backgroundFill = true;
    auto* page = new YieldingPage(services, &tree);
    QPointer<YieldingPage> guard(page);
    int insideYield = -1;
    services.onYield = [&](int n) {
        if (n != 2) return;
        page->DestroyWindow();
        // Whatever the host's loop does with pending deletions, the page must survive it.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        insideYield = g_destroyed;
    };
    page->Create(nullptr);
    test::DrainPostedEvents();
    EXPECT_EQ(insideYield, 0);
    EXPECT_FALSE(guard);
    EXPECT_EQ(services.yields, 2) << "the fill stops at the record after the destruction";
    // No second delete: the destructor count would show it (and the sanitiser in CI).
    test::DrainPostedEvents();
    EXPECT_EQ(g_destroyed, 1);
}

}  // namespace
}  // namespace kelo
