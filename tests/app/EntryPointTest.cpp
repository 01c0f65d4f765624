// The four entry points: the open flag through every way the window can close.
#include <QTest>

#include "host/ui/CKMessageBox.h"
#include "src/app/CReminderApp.h"
#include "src/app/CReminderDialog.h"
#include "src/app/TaskCatalog.h"
#include "src/app/TaskEntryPoints.h"
#include "host/data/GlobalBlock.h"
#include "tests/app/AppFixture.h"

namespace kelo::test {
namespace {

using EntryPointTest = AppFixture;

enum class Closing { Kill, Exit, Escape, CloseBox };

class ClosingPathTest : public AppFixture, public ::testing::WithParamInterface<Closing> {};

TEST_P(ClosingPathTest, OpenFlagGoesBackToZero)
{
    ShowTaskManager();
    KillTaskManager();
    EXPECT_EQ(TaskIsShowing(), 0) << "show and kill without a window do nothing";
    QPointer<CReminderDialog> window = Open();
    ASSERT_TRUE(window);
    EXPECT_EQ(TaskIsShowing(), 1);

    switch (GetParam()) {
    case Closing::Kill:
        KillTaskManager();
        break;
    case Closing::Exit:
        window->SendCommand(kCommandExit);
        break;
    case Closing::Escape:
        QTest::keyClick(window.data(), Qt::Key_Escape);
        break;
    case Closing::CloseBox:
        window->close();
        break;
    }
    EXPECT_EQ(TaskIsShowing(), 0);
    Settle();
    EXPECT_FALSE(window) << "the window deletes itself after its destruction";
    // Opening again works, and a second kill is harmless.
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(TaskIsShowing(), 1);
    KillTaskManager();
    KillTaskManager();
    EXPECT_EQ(TaskIsShowing(), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryPath, ClosingPathTest,
                         ::testing::Values(Closing::Kill, Closing::Exit, Closing::Escape,
                                           Closing::CloseBox));

TEST_F(EntryPointTest, NoOpenCompanyIsReportedAndNothingOpens)
{
    g_lpGlobVar = nullptr;
    TaskInitialise(nullptr);
    Settle();
    EXPECT_EQ(TaskIsShowing(), 0);
    ASSERT_EQ(m_answers->Count(), 1);
    EXPECT_EQ(m_answers->Messages()[0].kind, MsgKind::Stop);
    EXPECT_EQ(m_answers->Messages()[0].title, "Kelo Task Manager");
}

}  // namespace
}  // namespace kelo::test
