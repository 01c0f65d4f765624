// The main window: its menus and bars, the command bar per task, the tasks a user's rights leave
// and the Clear commands.
#include <QAction>
#include <QMenu>

#include "host/file/RecordFile.h"
#include "host/ui/CKBox.h"
#include "host/ui/CKStatusBar.h"
#include "host/ui/CKTBar.h"
#include "src/app/CReminderApp.h"
#include "src/app/CReminderDialog.h"
#include "src/app/CToolbarDialog.h"
#include "src/app/TaskCatalog.h"
#include "src/app/TaskEntryPoints.h"
#include "host/data/FileMap.h"
#include "tests/app/AppFixture.h"

namespace kelo::test {
namespace {

using MainWindowTest = AppFixture;

std::vector<int> TaskMenuCommands(CReminderDialog* window)
{
    QMenu* menu = window->Menu(CReminderDialog::Popup::Tasks);
    window->UpdateMenuState(menu);
    std::vector<int> commands;
    for (QAction* a : menu->actions()) commands.push_back(a->data().toInt());
    return commands;
}

QString MenuTexts(CReminderDialog* window, CReminderDialog::Popup popup)
{
    QMenu* menu = window->Menu(popup);
    window->UpdateMenuState(menu);
    QStringList list;
    for (QAction* a : menu->actions()) list << (a->isSeparator() ? "-" : a->text());
    return list.join('|');
}

// The supervisor's window: the To Do list, every menu and every task and company button.
TEST_F(MainWindowTest, OpensOnTheToDoListWithEveryMenuAndButton)
{
    CReminderDialog* window = Open();
    ASSERT_NE(window, nullptr);
    CountingPage* page = ActiveTestPage();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->command, kCommandToDoList);
    EXPECT_EQ(page->fills, 1);
    EXPECT_EQ(window->StatusBar()->PaneText(CKStatusBar::kDatePane), "15/06/2027");
    EXPECT_EQ(CKDialog::GetHelpProperty(window), 121);
    EXPECT_EQ(MenuTexts(window, CReminderDialog::Popup::File),
              "&New\tCtrl+N|&Open\tCtrl+O|&Delete\tDel|&Pay|&Properties\tEnter|-|E&xit");
    EXPECT_EQ(MenuTexts(window, CReminderDialog::Popup::Tasks),
              "&To do List|&Contacts|&Bills|Accounts &Due|&Account Status|&Recurring Items|"
              "Stoc&k|&Invoices|Sales &Orders|&Purchase Orders");
    EXPECT_EQ(MenuTexts(window, CReminderDialog::Popup::Settings),
              "&Company Details...|-|Clear &To Do Entries|Clear Bill Entries");
    EXPECT_EQ(MenuTexts(window, CReminderDialog::Popup::Help),
              "Task Manager &Contents|-|&About Task Manager");
    EXPECT_EQ(window->CommandBar()->Commands(),
              (std::vector<int>{32794, 32795, 32796, 32798, 32797}));
}

TEST_F(MainWindowTest, CommandBarFollowsTheTaskTable)
{
    CReminderDialog* window = Open();
    ASSERT_NE(window, nullptr);
    struct Row {
        int task;
        std::string caption;
        bool newOn, openOn, deleteOn, payOn, propertiesOn;
    } const rows[] = {
        {32600, " To Do List", true, true, true, false, false},
        {32601, " Contacts", false, true, true, false, false},
        {32602, " Bills", true, true, true, true, false},
        {32603, " Account Status", false, false, false, false, true},
        {32604, " Accounts Due", false, false, false, false, true},
        {32605, " Recurring", false, false, false, false, true},
        {32606, " Invoices", false, false, false, false, false},
        {32808, " SOP", false, false, false, false, false},
        {32809, " POP", false, false, false, false, false},
        {32810, " Stock", false, false, false, false, false},
    };
    for (const Row& r : rows) {
        window->SendCommand(r.task);
        Settle();
        SCOPED_TRACE(r.task);
        CKTBar* bar = window->CommandBar();
        EXPECT_EQ(bar->IsButtonEnabled(32794), r.newOn);
        EXPECT_EQ(bar->IsButtonEnabled(32795), r.openOn);
        EXPECT_EQ(bar->IsButtonEnabled(32796), r.deleteOn);
        EXPECT_EQ(bar->IsButtonEnabled(32798), r.payOn);
        EXPECT_EQ(bar->IsButtonEnabled(32797), r.propertiesOn);
        EXPECT_EQ(window->CaptionBar()->Text().toStdString(), r.caption);
        EXPECT_EQ(window->CurrentTask(), r.task);
    }
}

// Rights take tasks off the task bar and the Tasks menu: the supervisor loses the Stock button
// only; either ledger keeps both ledger tasks.
TEST_F(MainWindowTest, RightsDecideTheTasksInBarAndMenu)
{
    const std::vector<int> all{32600, 32601, 32602, 32604, 32603, 32605, 32810, 32606, 32808, 32809};
    struct Case {
        UserRights user;
        std::vector<int> bar, menu;
        bool companyDetails;
    } const cases[] = {
        {{"OVERSEE", {}, {}}, all, all, true},
        {{"OVERSEE", {0, 4, 6, 3}, {{19, 1}}},
         {32600, 32601, 32602, 32604, 32603, 32605, 32606, 32808, 32809}, all, true},
        {{"CLERK", {0, 4, 6, 3, 2, 5}, {{7, 18}, {19, 1}}},
         {32600, 32601, 32602}, {32600, 32601, 32602}, false},
        {{"CLERK", {0}, {}}, all, all, true},
        {{"CLERK", {4}, {}}, all, all, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user.name + " " + std::to_string(c.bar.size()));
        WriteUsers({c.user});
        LogOn(c.user.name);
        CReminderDialog* window = Open();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->ToolbarPane()->TasksBar()->Commands(), c.bar);
        EXPECT_EQ(TaskMenuCommands(window), c.menu);
        EXPECT_EQ(window->ToolbarPane()->CompanyBar()->HasButton(kCommandCompanyDetails),
                  c.companyDetails);
        window->UpdateMenuState(window->Menu(CReminderDialog::Popup::Settings));
        EXPECT_EQ(window->FindMenuCommand(kCommandCompanyDetails) != nullptr, c.companyDetails);
        EXPECT_NE(window->FindMenuCommand(kCommandClearToDo), nullptr);
        KillTaskManager();
        Settle();
    }
}

struct ClearCase {
    int command;
    std::vector<int> files;
    int shownTask;
    const char* text;
};

class ClearTest : public AppFixture, public ::testing::WithParamInterface<ClearCase> {};

TEST_P(ClearTest, YesEmptiesTheFilesNoLeavesThem)
{
    const ClearCase& c = GetParam();
    std::vector<uint8_t> rec(4096, 'x');
    for (int number : c.files) {
        DataFile f = m_company.Context().File(number);
        if (FindFile(number)->kind == FileKind::Data) WriteRec(f, 1, rec.data());
    }
    auto count = [&] {
        uint32_t n = 0;
        for (int number : c.files) n += RecCount(m_company.Context().File(number));
        return n;
    };
    const uint32_t before = count();
    ASSERT_GT(before, 0u);

    CReminderDialog* window = Open();
    ASSERT_NE(window, nullptr);
    m_answers->Push(MsgAnswer::No);
    window->SendCommand(c.command);
    ASSERT_EQ(m_answers->Count(), 1);
    EXPECT_EQ(m_answers->Messages()[0].text.toStdString(), std::string(c.text) + " ");
    EXPECT_EQ(m_answers->Messages()[0].kind, MsgKind::YesNo);
    EXPECT_EQ(count(), before);

    m_answers->Push(MsgAnswer::Yes);
    window->SendCommand(c.command);
    Settle();
    EXPECT_EQ(count(), 0u);
    EXPECT_EQ(window->CurrentTask(), c.shownTask);
    ASSERT_NE(ActiveTestPage(), nullptr);
    EXPECT_EQ(ActiveTestPage()->command, c.shownTask);
}

INSTANTIATE_TEST_SUITE_P(
    BothClears, ClearTest,
    ::testing::Values(
        ClearCase{kCommandClearBills, {kFileBills}, kCommandBills,
                  "This option will delete all your bill entries.\n\nAre you sure you wish to "
                  "continue?"},
        ClearCase{kCommandClearToDo, {kFileToDoIndex, kFileToDo, kFileToDoNotes},
                  kCommandToDoList,
                  "This option will delete all your To Do entries.\n\nAre you sure you wish to "
                  "continue?"}));

}  // namespace
}  // namespace kelo::test
