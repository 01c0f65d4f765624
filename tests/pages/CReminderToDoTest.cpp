#include "src/pages/CReminderToDo.h"

#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include "host/data/ToDoRecord.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "src/pages/scans/ToDoScan.h"
#include "tests/pages/PageFixture.h"
#include "tests/pages/ToDoRecords.h"

namespace kelo {
namespace {

const uint16_t kToday = test::kPageToday;
using Names = std::vector<std::string>;

class ToDoPageTest : public test::PageFixture<CReminderToDo> {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        services.userName = "ANNA";
    }
    uint32_t Add(const char* name, uint16_t due, const char* user = "ANNA", bool done = false,
                 const char* type = "General Reminder")
    {
        return test::AddToDo(company.Context(), name, type, user, due, done);
    }
    Names RowNames() const { return Column(kToDoColName); }
};

TEST_F(ToDoPageTest, CategoriesOnTheDayBoundary)
{
    Add("today", kToday);
    Add("yesterday", kToday - 1);
    Add("finished", kToday, "ANNA", true);
    Add("bob's", kToday, "BOB");
    Add("call back", kToday, "ANNA", false, "Phone call reminder.");
    Open();

    ASSERT_EQ(tree.ItemCount(), 3);
    EXPECT_EQ(tree.GetItemText(0), "Current Tasks");
    EXPECT_EQ(tree.GetItemText(1), "Overdue Tasks");
    EXPECT_EQ(tree.GetItemText(2), "Completed Tasks");
    EXPECT_EQ(tree.GetSelectedItem(), 0);
    EXPECT_EQ(RowNames(), Names({"today"}));
    EXPECT_EQ(page->List()->GetSelectedRow(), 0);
    ChooseCategory(1);
    EXPECT_EQ(RowNames(), Names({"yesterday"}));
    ChooseCategory(2);
    EXPECT_EQ(RowNames(), Names({"finished"}));
}

TEST_F(ToDoPageTest, MenuStateFollowsTheRows)
{
    Open();
    QMenu menu;
    for (int id : {kCommandNew, kCommandOpen, kCommandDelete, kCommandPay, kCommandProperties,
                   kCommandClearToDo, kCommandClearBills})
        menu.addAction(QString::number(id))->setData(id);
    auto enabled = [&](int id) { return CReminderPage::FindCommand(&menu, id)->isEnabled(); };

    page->UpdateCommandMenu(&menu);
    EXPECT_TRUE(enabled(kCommandNew));
    EXPECT_FALSE(enabled(kCommandOpen)) << "an empty list";
    EXPECT_FALSE(enabled(kCommandDelete));
    EXPECT_FALSE(enabled(kCommandPay));
    EXPECT_FALSE(enabled(kCommandProperties));
    EXPECT_TRUE(enabled(kCommandClearToDo));
    EXPECT_FALSE(enabled(kCommandClearBills));

    Add("now there is one", kToday);
    page->Refresh();
    page->UpdateCommandMenu(&menu);
    EXPECT_TRUE(enabled(kCommandOpen));
    EXPECT_TRUE(enabled(kCommandDelete));
    std::unique_ptr<QMenu> context(page->CreateContextMenu());
    ASSERT_TRUE(context);
    ASSERT_EQ(context->actions().size(), 3);
    EXPECT_EQ(context->actions()[2]->text(), "&Delete...");
    EXPECT_TRUE(context->actions()[2]->isEnabled());
}

TEST_F(ToDoPageTest, DeleteAnsweredNoOrWithoutASelectionKeepsTheEntry)
{
    const uint32_t rec = Add("keep me", kToday);
    Open();
    CKScriptedAnswerer answers({MsgAnswer::No});
    EXPECT_TRUE(page->SendCommand(kCommandDelete));
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text, "Are you sure you wish to delete this To Do record? ");
    EXPECT_EQ(answers.Messages()[0].kind, 5);
    EXPECT_EQ(answers.Messages()[0].title, "Kelo Task Manager");
    EXPECT_EQ(RowNames(), Names({"keep me"}));
    EXPECT_TRUE(test::HasToDoKey(company.Context(), "ANNA", kToday, rec));

    page->List()->SelectRow(-1);
    EXPECT_FALSE(page->DeleteSelected());
    EXPECT_EQ(answers.Count(), 1) << "nothing asked without a selection";
}

TEST_F(ToDoPageTest, DeleteAnsweredYesOverwritesTheRecordDropsItsKeyAndSelectsTheNextRow)
{
    Add("first", kToday);
    const uint32_t rec = Add("second", kToday + 1);
    Add("third", kToday + 2);
    Open();
    page->List()->SelectRow(1);
    CKScriptedAnswerer answers({MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes});
    page->SendCommand(kCommandDelete);
    EXPECT_EQ(RowNames(), Names({"first", "third"}));
    EXPECT_EQ(page->List()->GetSelectedRow(), 1) << "the next row takes the deleted one's place";

    std::vector<uint8_t> bytes(kToDoLength);
    ASSERT_NE(ReadRec(company.Context().File(kFileToDo), rec, bytes.data()), 0);
    EXPECT_EQ(bytes, std::vector<uint8_t>(kToDoLength, 0xFF));
    EXPECT_FALSE(test::HasToDoKey(company.Context(), "ANNA", kToday + 1, rec));
    page->Refresh();
    EXPECT_EQ(RowNames(), Names({"first", "third"})) << "a rescan skips the deleted entry";

    page->SendCommand(kCommandDelete);  // the last row: the new last row is selected
    EXPECT_EQ(page->List()->GetSelectedRow(), 0);
    page->SendCommand(kCommandDelete);
    EXPECT_EQ(page->List()->RowCount(), 0);
    EXPECT_EQ(page->List()->GetSelectedRow(), -1);
}

}  // namespace
}  // namespace kelo
