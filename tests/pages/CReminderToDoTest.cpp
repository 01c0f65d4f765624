#include "src/pages/CReminderToDo.h"

#include <string>
#include <vector>

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include <gtest/gtest.h>

#include "host/file/RecordFile.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "host/ui/CKTreeView.h"
#include "host/util/Dates.h"
#include "host/data/ToDoRecord.h"
#include "src/pages/scans/ToDoScan.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/FakeTaskServices.h"
#include "tests/pages/ToDoRecords.h"

namespace kelo {
namespace {

const uint16_t kToday = DateNumberFromComponents(1, 6, 2027);


class ToDoPageTest : public ::testing::Test {
protected:
    void SetUp() override { services.programDate = kToday; }
    void TearDown() override
    {
        if (page) page->DestroyWindow();
        test::DrainPostedEvents();
    }

    CReminderToDo* Open()
    {
        page = new CReminderToDo(services, nullptr, &tree);
        page->Create(nullptr);
        test::DrainPostedEvents();
        return page;
    }
    std::vector<std::string> RowNames() const
    {
        std::vector<std::string> v;
        for (int r = 0; r < page->List()->RowCount(); ++r)
            v.push_back(ToDoColumns().ReadText(page->List()->RowBytes(r), kToDoColName));
        return v;
    }
    void ChooseCategory(int item)
    {
        tree.SelectItem(item);
        page->OnCategorySelected(item, tree.GetItemValue(item));
        test::DrainPostedEvents();
    }

    test::TempCompany company;
    test::FakeTaskServices services{company.Context(), "ANNA"};
    CKTreeView tree;
    CReminderToDo* page = nullptr;
};

using Names = std::vector<std::string>;

TEST_F(ToDoPageTest, CategoriesOnTheDayBoundary)
{
    test::AddToDo(company.Context(), "today", "General Reminder", "ANNA", kToday);
    test::AddToDo(company.Context(), "yesterday", "General Reminder", "ANNA", kToday - 1);
    test::AddToDo(company.Context(), "finished", "General Reminder", "ANNA", kToday, true);
    test::AddToDo(company.Context(), "bob's", "General Reminder", "BOB", kToday);
    test::AddToDo(company.Context(), "call back", "Phone call reminder.", "ANNA", kToday);
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

    test::AddToDo(company.Context(), "now there is one", "General Reminder", "ANNA", kToday);
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

TEST_F(ToDoPageTest, DeleteAnsweredNoKeepsTheEntry)
{
    const uint32_t rec = test::AddToDo(company.Context(), "keep me", "General Reminder", "ANNA", kToday);
    Open();
    CKScriptedAnswerer answers({MsgAnswer::No});
    EXPECT_TRUE(page->SendCommand(kCommandDelete));
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text, "Are you sure you wish to delete this To Do record? ");
    EXPECT_EQ(answers.Messages()[0].kind, 5);
    EXPECT_EQ(answers.Messages()[0].title, "Kelo Task Manager");
    EXPECT_EQ(RowNames(), Names({"keep me"}));
    EXPECT_TRUE(test::HasToDoKey(company.Context(), "ANNA", kToday, rec));
}

TEST_F(ToDoPageTest, DeleteAnsweredYesOverwritesTheRecordAndDropsItsKey)
{
    test::AddToDo(company.Context(), "first", "General Reminder", "ANNA", kToday);
    const uint32_t rec =
        test::AddToDo(company.Context(), "second", "General Reminder", "ANNA", kToday + 1);
    test::AddToDo(company.Context(), "third", "General Reminder", "ANNA", kToday + 2);
    Open();
    page->List()->SelectRow(1);
    CKScriptedAnswerer answers({MsgAnswer::Yes});
    page->SendCommand(kCommandDelete);
    EXPECT_EQ(RowNames(), Names({"first", "third"}));
    EXPECT_EQ(page->List()->GetSelectedRow(), 1) << "the next row takes the deleted one's place";

    std::vector<uint8_t> bytes(kToDoLength);
    ASSERT_NE(ReadRec(company.Context().File(kFileToDo), rec, bytes.data()), 0);
    EXPECT_EQ(bytes, std::vector<uint8_t>(kToDoLength, 0xFF));
    EXPECT_FALSE(test::HasToDoKey(company.Context(), "ANNA", kToday + 1, rec));

    page->Refresh();
    EXPECT_EQ(RowNames(), Names({"first", "third"})) << "a rescan skips the deleted entry";
}

TEST_F(ToDoPageTest, DeletingTheLastRowSelectsTheNewLastRow)
{
    test::AddToDo(company.Context(), "a", "General Reminder", "ANNA", kToday);
    test::AddToDo(company.Context(), "b", "General Reminder", "ANNA", kToday + 1);
    test::AddToDo(company.Context(), "c", "General Reminder", "ANNA", kToday + 2);
    Open();
    CKScriptedAnswerer answers({MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes});
    page->List()->SelectRow(2);
    page->SendCommand(kCommandDelete);
    EXPECT_EQ(RowNames(), Names({"a", "b"}));
    EXPECT_EQ(page->List()->GetSelectedRow(), 1);
    page->SendCommand(kCommandDelete);
    EXPECT_EQ(page->List()->GetSelectedRow(), 0);
    page->SendCommand(kCommandDelete);
    EXPECT_EQ(page->List()->RowCount(), 0);
    EXPECT_EQ(page->List()->GetSelectedRow(), -1);
    EXPECT_EQ(answers.Count(), 3);
}

TEST_F(ToDoPageTest, DeleteWithoutSelectionAsksNothing)
{
    Open();
    CKScriptedAnswerer answers({MsgAnswer::Yes});
    EXPECT_FALSE(page->DeleteSelected());
    EXPECT_EQ(answers.Count(), 0);
}

}  // namespace
}  // namespace kelo
