// The To Do page and dialog while another desk writes to the same company.
#include <string>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>

#include "host/data/FileMap.h"
#include "host/data/ToDoRecord.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKDataChange.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "src/app/StringTable.h"
#include "src/pages/scans/ToDoScan.h"
#include "src/records/CRecordWrite.h"
#include "tests/pages/ToDoRecords.h"
#include "tests/records/ToDoEntryFixture.h"

namespace kelo {
namespace {

using test::kToday;
using Names = std::vector<std::string>;

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
    int SelectedRecord()
    {
        const int row = page->List()->GetSelectedRow();
        return row < 0 ? -1
                       : int(ToDoColumns().ReadUInt32(page->List()->RowBytes(row),
                                                      kToDoColRecordNumber));
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

TEST_F(ToDoTwoDesksTest, DeleteRemovesTheRowAskedAboutThoughItsNeighboursVanishDuringTheQuestion)
{
    page->List()->SelectRow(2);
    const int target = SelectedRecord();
    const auto previous = CKMessageBox::SetAnswerer([&](QWidget*, const QString&, int, const QString&, int) {
        for (uint32_t r : {first, second}) TheyDelete(r);
        page->SendCommand(kCommandDataChanged);
        return MsgAnswer::Yes;
    });
    EXPECT_TRUE(page->DeleteSelected());
    CKMessageBox::SetAnswerer(previous);
    EXPECT_EQ(target, int(third));
    EXPECT_TRUE(IsDeletedToDo(ReadToDo(third).data()));
    for (int r = 0; r < page->List()->RowCount(); ++r)
        EXPECT_NE(ToDoColumns().ReadUInt32(page->List()->RowBytes(r), kToDoColRecordNumber), third);
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
