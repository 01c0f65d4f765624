// The To Do page after the To Do Entry dialog saved: the row follows the entry's category and user.
#include <functional>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "host/file/RecordFile.h"
#include "host/ui/CKDateEdit.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "host/data/FileMap.h"
#include "host/data/ToDoRecord.h"
#include "src/pages/scans/ToDoScan.h"
#include "tests/pages/ToDoRecords.h"
#include "tests/records/ToDoEntryFixture.h"

namespace kelo {
namespace {

using test::kToday;
using Names = std::vector<std::string>;

using ToDoListUpdateTest = test::ToDoEntryFixture;

TEST_F(ToDoListUpdateTest, ListFollowsTheSave)
{
    struct Case {
        const char* what;
        std::function<void(CAddTask&)> apply;
        Names rows;         // Current Tasks afterwards
        bool oldKey;        // ANNA/today key still there
        const char* owner;  // the key's user afterwards
        uint16_t date;
    };
    const std::vector<Case> cases{
        {"same category, same user", [](CAddTask& d) { d.Description()->setText("renamed"); },
         {"first", "renamed", "third"}, true, "ANNA", kToday},
        {"type only", [](CAddTask& d) { d.TypeBox()->setCurrentIndex(5); },
         {"first", "second", "third"}, true, "ANNA", kToday},
        {"notes only", [](CAddTask& d) { d.Notes()->setPlainText("a note"); },
         {"first", "second", "third"}, true, "ANNA", kToday},
        {"category changed by completion", [](CAddTask& d) { d.TaskComplete()->setChecked(true); },
         {"first", "third"}, true, "ANNA", kToday},
        {"category changed by date", [](CAddTask& d) { d.DateDue()->setText("31/05/2027"); },
         {"first", "third"}, false, "ANNA", uint16_t(kToday - 1)},
        {"delegated away", [](CAddTask& d) { d.DelegateTo()->setCurrentText("BOB"); },
         {"first", "third"}, false, "BOB", kToday},
        {"later date, still current", [](CAddTask& d) { d.DateDue()->setText("30/06/2027"); },
         {"first", "second", "third"}, false, "ANNA", uint16_t(kToday + 29)},
    };
    for (const Case& c : cases) {
        FileCreate(company.Context().File(kFileToDoIndex), 16, 1);
        FileCreate(company.Context().File(kFileToDo), 16, 1);
        test::AddToDo(company.Context(), "first", "General Reminder", "ANNA", kToday);
        const uint32_t rec = test::AddToDo(company.Context(), "second", "General Reminder", "ANNA", kToday);
        test::AddToDo(company.Context(), "third", "General Reminder", "ANNA", kToday + 1);
        OpenPage();
        ASSERT_EQ(RowNames(), Names({"first", "second", "third"}));
        CAddTask* dlg = OpenListed(rec);
        c.apply(*dlg);
        ASSERT_TRUE(dlg->SaveEntry()) << c.what;
        EXPECT_EQ(RowNames(), c.rows) << c.what;
        EXPECT_EQ(test::HasToDoKey(company.Context(), "ANNA", kToday, rec), c.oldKey) << c.what;
        EXPECT_TRUE(test::HasToDoKey(company.Context(), c.owner, c.date, rec)) << c.what;
        EXPECT_EQ(IndexEntries(), 3u) << c.what;
        EXPECT_EQ(GetU32(ReadToDo(rec).data(), kToDoReserved), 77u) << "kept from the listed row";
        dlg->DestroyWindow();
        page->DestroyWindow();
        page = nullptr;
        test::Drain();
    }
}

TEST_F(ToDoListUpdateTest, NewEntriesJoinTheListOnlyWhereTheyBelong)
{
    OpenPage();
    CAddTask* dlg = OpenDialog(0);
    dlg->Description()->setText("for Bob");
    dlg->DelegateTo()->setCurrentText("BOB");
    ASSERT_TRUE(dlg->SaveEntry());
    EXPECT_TRUE(RowNames().empty()) << "another user's entry is not listed";
    dlg->DestroyWindow();

    dlg = OpenDialog(0);
    dlg->Description()->setText("overdue one");
    dlg->DateDue()->setText("01/01/2027");
    ASSERT_TRUE(dlg->SaveEntry());
    EXPECT_TRUE(RowNames().empty()) << "Current Tasks shows no overdue entry";
    dlg->DestroyWindow();

    ChooseCategory(1);
    ASSERT_EQ(RowNames(), Names({"overdue one"}));
    dlg = OpenDialog(0);
    dlg->Description()->setText("another overdue");
    dlg->DateDue()->setText("02/01/2027");
    ASSERT_TRUE(dlg->SaveEntry());
    EXPECT_EQ(RowNames(), Names({"overdue one", "another overdue"}));
    const std::vector<uint8_t> row = page->List()->GetRow(1);
    EXPECT_EQ(ToDoColumns().ReadUInt32(row, kToDoColCategory), kToDoOverdue);
    EXPECT_EQ(ToDoColumns().ReadUInt32(row, kToDoColRecordNumber), 3u);
}

}  // namespace
}  // namespace kelo
