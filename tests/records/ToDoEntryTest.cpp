// The To Do Entry dialog: what it opens with, its checks and what it writes; the To Do page
// after a save (the row follows the entry's category and user); and both while another desk
// writes to the same company. New, Open and Delete by key and mouse, and an edit, a change asked
// about and a delete while the other desk adds, are the end-to-end tests'.
#include <functional>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "host/data/FileMap.h"
#include "host/data/ToDoRecord.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKDataChange.h"
#include "host/ui/CKDateEdit.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "src/app/StringTable.h"
#include "src/pages/scans/ToDoScan.h"
#include "src/records/CRecordWrite.h"
#include "src/records/ToDoDelete.h"
#include "tests/pages/ToDoRecords.h"
#include "tests/records/ToDoEntryFixture.h"

namespace kelo {
namespace {

using test::kToday;
using Names = std::vector<std::string>;
using AddTaskTest = test::ToDoEntryFixture;
using ToDoListUpdateTest = test::ToDoEntryFixture;

TEST_F(AddTaskTest, NewEntryStartsFromTheDefaults)
{
    CAddTask* dlg = OpenDialog(0);
    EXPECT_EQ(dlg->windowTitle(), "To Do Entry");
    ASSERT_EQ(dlg->TypeBox()->count(), 13);
    const char* expected[] = {"General Reminder", "Bank statement due date",
                              "Carry out month end routine ", "Carry out year end routine",
                              "Last day of VAT quarter/month", "Print and send statements",
                              "Print daybooks", "Print management reports",
                              "Reconcile bank account", "Reconcile VAT", "Run aged debtors",
                              "Send accounts to accountant", "Send overdue letters"};
    for (int i = 0; i < 13; ++i) EXPECT_EQ(dlg->TypeBox()->itemText(i), expected[i]) << i;
    EXPECT_EQ(dlg->TypeBox()->currentText(), "General Reminder");
    EXPECT_EQ(dlg->DateDue()->GetDate(), kToday);
    EXPECT_FALSE(dlg->TaskComplete()->isChecked());
    ASSERT_EQ(dlg->DelegateTo()->count(), 2);
    EXPECT_EQ(dlg->DelegateTo()->itemText(1), "BOB");
    EXPECT_EQ(dlg->DelegateTo()->currentText(), "ANNA");
}

// What the dialog writes: the description without its trailing blanks, the date typed in its
// short form, the notes, and the key under the user and the date. Where the row is listed
// afterwards is ToDoListUpdateTest's.
TEST_F(AddTaskTest, SaveWritesTheRecordItsNotesAndItsKey)
{
    CAddTask* dlg = OpenDialog(0);
    dlg->Description()->setText("Pay VAT  ");
    dlg->DateDue()->setText("2/6/27");
    dlg->DateDue()->SetChanged(true);
    dlg->TaskComplete()->setChecked(true);
    dlg->Notes()->setPlainText("line one\nline two");
    CKScriptedAnswerer answers;
    ASSERT_TRUE(dlg->SaveEntry());
    EXPECT_EQ(answers.Count(), 0);
    const std::vector<uint8_t> rec = ReadToDo(1);
    const uint16_t date = DateNumberFromComponents(2, 6, 2027);
    EXPECT_EQ(GetText(rec.data(), kToDoDescription), "Pay VAT");
    EXPECT_EQ(GetU16(rec.data(), kToDoDateDue), date);
    EXPECT_EQ(GetU16(rec.data(), kToDoCompleted), 1);
    EXPECT_EQ(ReadMemoText(company.Context().File(kFileToDoNotes), GetI32(rec.data(), kToDoNotesBlock)),
              "line one\nline two");
    EXPECT_TRUE(test::HasToDoKey(company.Context(), "ANNA", date, 1));
    EXPECT_EQ(IndexEntries(), 1u);
}

// Typing stops at the sixty characters a description and a type hold, and all sixty are kept.
TEST_F(AddTaskTest, TheLimitsHoldWhileTyping)
{
    CAddTask* dlg = OpenDialog(0);
    QTest::keyClicks(dlg->Description(), QString(61, QLatin1Char('d')));
    EXPECT_EQ(dlg->Description()->text().size(), 60);
    dlg->TypeBox()->lineEdit()->clear();
    QTest::keyClicks(dlg->TypeBox()->lineEdit(), QString(61, QLatin1Char('t')));
    EXPECT_EQ(dlg->TypeBox()->currentText().size(), 60);
    ASSERT_TRUE(dlg->SaveEntry());
    const std::vector<uint8_t> rec = ReadToDo(1);
    EXPECT_EQ(GetText(rec.data(), kToDoDescription), std::string(60, 'd'));
    EXPECT_EQ(GetText(rec.data(), kToDoType), std::string(60, 't'));
}

TEST_F(AddTaskTest, BlankDescriptionIsRefused)
{
    CAddTask* dlg = OpenDialog(0);
    dlg->Description()->setText("\t  ");
    dlg->TypeBox()->setFocus();
    CKScriptedAnswerer answers;
    EXPECT_FALSE(dlg->SaveEntry());
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text,
              "You cannot create a task with no description.\n\n"
              "Please enter a description for this task. ");
    EXPECT_EQ(answers.Messages()[0].kind, 1);
    EXPECT_EQ(dlg->focusWidget(), dlg->Description());
    EXPECT_EQ(IndexEntries(), 0u);
    // The busy guard is down again: a second try asks again.
    EXPECT_FALSE(dlg->SaveEntry());
    EXPECT_EQ(answers.Count(), 2);
}

TEST_F(AddTaskTest, AnImpossibleDateIsRefusedAndReplacedByTheProgramDate)
{
    CAddTask* dlg = OpenDialog(0);
    dlg->Description()->setText("Bank");
    dlg->DateDue()->clear();
    QTest::keyClicks(dlg->DateDue(), "31/02/2027");
    ASSERT_TRUE(dlg->DateDue()->IsChanged());
    CKScriptedAnswerer answers;
    EXPECT_FALSE(dlg->SaveEntry());
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text, "An invalid date was entered. \nPlease enter a valid date.");
    EXPECT_EQ(answers.Messages()[0].kind, 1);
    EXPECT_EQ(dlg->DateDue()->GetDate(), kToday);
    EXPECT_EQ(dlg->focusWidget(), dlg->DateDue());
    EXPECT_EQ(RecCount(company.Context().File(kFileToDo)), 0u);

    EXPECT_TRUE(dlg->SaveEntry()) << "the program date put back is accepted";
    EXPECT_EQ(GetU16(ReadToDo(1).data(), kToDoDateDue), kToday);
}

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

class ToDoTwoDesksTest : public test::ToDoEntryFixture {
protected:
    void SetUp() override
    {
        ToDoEntryFixture::SetUp();
        first = test::AddToDo(company.Context(), "first", "General Reminder", "ANNA", kToday);
        second = test::AddToDo(company.Context(), "second", "General Reminder", "ANNA", kToday);
        third = test::AddToDo(company.Context(), "third", "General Reminder", "ANNA", kToday + 1);
        OpenPage();
    }
    // The other desk adds an entry and this one hears of it.
    void TheyAddAndWeHear(const std::string& name)
    {
        test::AddToDo(theirs, name, "General Reminder", "ANNA", kToday);
        page->SendCommand(kCommandDataChanged);
    }
    void TheyDelete(uint32_t recNo)
    {
        std::vector<uint8_t> rec(kToDoLength);
        ReadRec(theirs.File(kFileToDo), recNo, rec.data());
        DeleteKeyOf(theirs.File(kFileToDoIndex), BuildToDoKeyOfRecord(rec.data(), recNo).data(),
                    recNo);
        std::fill(rec.begin(), rec.end(), uint8_t{0xFF});
        WriteRec(theirs.File(kFileToDo), recNo, rec.data());
    }

    DataContext theirs = DataContext::Open(company.Folder());
    uint32_t first = 0, second = 0, third = 0;
};

// The end-to-end two-desk tests drive an edit, a change asked about and a delete while the other
// desk adds; here, what they cannot easily reach.
TEST_F(ToDoTwoDesksTest, AnEntryDeletedElsewhereCannotBeOpened)
{
    TheyDelete(second);
    CKScriptedAnswerer answers;
    auto* late = new CAddTask(*page, company.Context(), second);
    EXPECT_FALSE(late->Create(nullptr));
    late->DestroyWindow();
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text.trimmed().toStdString(),
              StringTable::Load(CRecordWrite::kDeletedOnDelete));
}

// A delete takes the record and its key, and writes nothing for a record that is not there.
TEST_F(ToDoTwoDesksTest, ADeleteTakesTheRecordAndItsKeyAndNothingElse)
{
    DeleteToDoRecord(company.Context(), second);
    DeleteToDoRecord(company.Context(), 9);
    EXPECT_TRUE(IsDeletedToDo(ReadToDo(second).data()));
    EXPECT_FALSE(test::HasToDoKey(company.Context(), "ANNA", kToday, second));
    EXPECT_EQ(IndexEntries(), 2u);
    EXPECT_EQ(RecCount(company.Context().File(kFileToDo)), 3u);
}

TEST_F(ToDoTwoDesksTest, AChangeNoticeWaitsForAnOpenModalWindow)
{
    QDialog modal;
    bool deferredWhileOpen = false;
    Names whileOpen;
    QTimer::singleShot(0, [&] {
        TheyAddAndWeHear("fourth");
        page->SendCommand(kCommandDataChanged);  // a second notice: still one refresh
        deferredWhileOpen = page->IsRefreshDeferred();
        whileOpen = RowNames();
        modal.reject();
    });
    modal.exec();
    EXPECT_TRUE(deferredWhileOpen);
    EXPECT_EQ(whileOpen, Names({"first", "second", "third"}));
    test::Drain();
    EXPECT_FALSE(page->IsRefreshDeferred());
    EXPECT_EQ(RowNames(), Names({"first", "second", "fourth", "third"}));
}

}  // namespace
}  // namespace kelo
