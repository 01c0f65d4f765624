// The placement: the rejection rules and the restore of the main window.
#include <QGuiApplication>
#include <QScreen>

#include "host/util/Settings.h"
#include "src/app/CReminderApp.h"
#include "src/app/CReminderDialog.h"
#include "src/app/TaskEntryPoints.h"
#include "src/app/WindowPlacement.h"
#include "tests/app/AppFixture.h"

namespace kelo::test {
namespace {

TEST(WindowPlacementParse, EdgesAgainstTheScreen)
{
    // Screen 1000 x 800, caption buttons 20: left must be below 940, top below 740.
    struct Case {
        int left, top, right, bottom;
        bool fits;
    } const cases[] = {
        {939, 0, 1200, 300, true},   {940, 0, 1200, 300, false}, {0, 739, 300, 900, true},
        {0, 740, 300, 900, false},   {-500, -50, 1, 1, true},    {-500, 0, 0, 300, false},
        {0, -500, 300, 0, false},
    };
    for (const Case& c : cases) {
        WindowPlacement p;
        p.left = c.left;
        p.top = c.top;
        p.right = c.right;
        p.bottom = c.bottom;
        EXPECT_EQ(p.Fits(1000, 800, 20, 20), c.fits) << c.left << "," << c.top;
    }
}

using PlacementRestoreTest = AppFixture;

// A minimised placement opens normal at its rectangle; closing saves the normal rectangle, where
// the next window opens; a left edge off the screen is ignored.
TEST_F(PlacementRestoreTest, OpensAtTheSavedRectangleUnlessItIsOffTheScreen)
{
    WriteINIString(GetINI(1), "Tasks", "TaskPos", "0,2,-1,-1,-1,-1,40,50,740,650");
    CReminderDialog* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_EQ(window->geometry(), QRect(40, 50, 700, 600));

    window->setGeometry(30, 40, 800, 600);
    KillTaskManager();
    EXPECT_EQ(ReadINIString(GetINI(1), "Tasks", "TaskPos", QString()), "0,1,-1,-1,-1,-1,30,40,830,640");
    window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->geometry(), QRect(30, 40, 800, 600));
    KillTaskManager();

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const std::string text = "0,1,-1,-1,-1,-1," + std::to_string(screen.width()) + ",50," +
                             std::to_string(screen.width() + 700) + ",650";
    WriteINIString(GetINI(1), "Tasks", "TaskPos", QString::fromStdString(text));
    window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_LT(window->geometry().left(), screen.width()) << "kept its centred position";
}

}  // namespace
}  // namespace kelo::test
