#include "src/records/CAddTask.h"

#include <string>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "host/file/RecordFile.h"
#include "host/ui/CKDateEdit.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "host/data/FileMap.h"
#include "host/data/ToDoRecord.h"
#include "tests/pages/ToDoRecords.h"
#include "tests/records/ToDoEntryFixture.h"

namespace kelo {
namespace {

using test::kToday;

class AddTaskTest : public test::ToDoEntryFixture {};

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

TEST_F(AddTaskTest, BlankDescriptionIsRefused)
{
    for (const char* text : {"", "   ", "\t "}) {
        CAddTask* dlg = OpenDialog(0);
        dlg->Description()->setText(text);
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
        dlg->DestroyWindow();
        test::Drain();
    }
}

TEST_F(AddTaskTest, AnImpossibleDateIsRefusedAndReplacedByTheProgramDate)
{
    for (const char* typed : {"31/02/2027", "ab/cd/efgh", "tomorrow"}) {
        CAddTask* dlg = OpenDialog(0);
        dlg->Description()->setText("Bank");
        dlg->DateDue()->clear();
        QTest::keyClicks(dlg->DateDue(), typed);
        ASSERT_TRUE(dlg->DateDue()->IsChanged());
        CKScriptedAnswerer answers;
        EXPECT_FALSE(dlg->SaveEntry()) << typed;
        ASSERT_EQ(answers.Count(), 1);
        EXPECT_EQ(answers.Messages()[0].text,
                  "An invalid date was entered. \nPlease enter a valid date.");
        EXPECT_EQ(answers.Messages()[0].kind, 1);
        EXPECT_EQ(dlg->DateDue()->GetDate(), kToday);
        EXPECT_EQ(dlg->focusWidget(), dlg->DateDue());
        EXPECT_EQ(RecCount(company.Context().File(kFileToDo)), 0u);

        EXPECT_TRUE(dlg->SaveEntry()) << "the program date put back is accepted";
        EXPECT_EQ(GetU16(ReadToDo(1).data(), kToDoDateDue), kToday);
        dlg->DestroyWindow();
        test::Drain();
        FileCreate(company.Context().File(kFileToDoIndex), 16, 1);
        FileCreate(company.Context().File(kFileToDo), 16, 1);
    }
}

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

TEST_F(AddTaskTest, AnExistingEntryOpensWithItsFields)
{
    const uint32_t rec =
        test::AddToDo(company.Context(), "Call the bank", "Carry out month end routine ", "ANNA", 0);
    CAddTask* dlg = OpenDialog(rec);
    EXPECT_EQ(dlg->Description()->text(), "Call the bank");
    EXPECT_EQ(dlg->TypeBox()->currentText(), "Carry out month end routine")
        << "stored texts come back stripped";
    EXPECT_EQ(dlg->DateDue()->GetDate(), kToday) << "no date shows the program date";
    EXPECT_FALSE(dlg->TaskComplete()->isChecked());
    EXPECT_EQ(dlg->DelegateTo()->currentText(), "ANNA");
}

}  // namespace
}  // namespace kelo
