#include "src/pages/CReminderToDo.h"

#include <exception>
#include <vector>

#include <QMenu>

#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKColumnSet.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKMessageBox.h"
#include "src/app/TaskServices.h"
#include "host/data/FileMap.h"
#include "host/data/ToDoRecord.h"
#include "src/pages/scans/ToDoScan.h"
#include "src/records/CAddTask.h"

namespace kelo {

CReminderToDo::CReminderToDo(TaskServices& services, QWidget* parent, CKTreeView* tree)
    : CReminderPage(kDialogId, kListId, services, parent, tree, kContextMenuId)
{
    List()->setAccessibleName(QStringLiteral("Todo List"));
    SetColumns(ToDoColumns());
}

bool CReminderToDo::OnInitDialog()
{
    if (!CReminderPage::OnInitDialog()) return false;
    const std::vector<TaskCategory> categories =
        ToDoCategories(Services().CurrentUserName(), Services().AccessManager());
    SetUpCategories(categories);
    return true;
}

void CReminderToDo::UpdateCommandMenu(QMenu* menu)
{
    CReminderPage::UpdateCommandMenu(menu);
    const bool rows = List()->RowCount() > 0;
    EnableCommand(menu, kCommandNew, true);
    EnableCommand(menu, kCommandOpen, rows);
    EnableCommand(menu, kCommandDelete, rows);
    EnableCommand(menu, kCommandClearToDo, true);
}

void CReminderToDo::FillList()
{
    // The To Do file is small and the page does not yield between records.
    RunFill(&ScanToDo, false);
}

bool CReminderToDo::OnCommand(int id)
{
    if (id == kCommandDelete) {
        DeleteSelected();
        return true;
    }
    if (id == kCommandNew) {
        RunEntryDialog(0);
        return true;
    }
    if (id == kCommandOpen) {
        OpenSelected();
        return true;
    }
    return CReminderPage::OnCommand(id);
}

void CReminderToDo::OpenSelected()
{
    const int selected = List()->GetSelectedRow();
    if (selected < 0) return;
    RunEntryDialog(ToDoColumns().ReadUInt32(List()->RowBytes(selected), kToDoColRecordNumber));
}

void CReminderToDo::RunEntryDialog(uint32_t recNo)
{
    CAddTask dialog(*this, Context(), recNo);
    dialog.DoModal(window());
}

void CReminderToDo::UpdateAfterSave(const std::vector<uint8_t>& row, bool isNew)
{
    const CKColumnSet& cols = ToDoColumns();
    CKListView* list = List();
    const uint32_t category = cols.ReadUInt32(row, kToDoColCategory);
    std::string delegateTo = cols.ReadText(row, kToDoColDelegateTo);
    delegateTo.erase(delegateTo.find_last_not_of(' ') + 1);
    const bool mine = delegateTo == Services().CurrentUserName();
    const auto addIfListed = [&] {
        if ((category & CategoryValue()) != 0 && mine) list->AddRow(row);
    };

    const int selected = list->GetSelectedRow();
    if (isNew || selected < 0) {
        addIfListed();
    } else if (cols.ReadUInt32(list->RowBytes(selected), kToDoColCategory) != category) {
        list->DeleteRow(selected);
        addIfListed();
    } else if (mine) {
        list->SetRow(selected, row);
    } else {
        list->DeleteRow(selected);
    }
    list->viewport()->update();
}

bool CReminderToDo::DeleteSelected()
{
    CKListView* list = List();
    const int selected = list->GetSelectedRow();
    if (selected < 0) return false;
    if (Services().TaskMessageBoxId(kDeleteQuestion, MsgKind::YesNo) !=
        static_cast<int>(MsgAnswer::Yes))
        return false;

    const uint32_t recNo =
        ToDoColumns().ReadUInt32(list->RowBytes(selected), kToDoColRecordNumber);
    // Outside the try, so the catch can still give back the lock on the bracket's files;
    // leaving the function then abandons the bracket.
    CDDataResourceManager manager(Context());
    DataFile locked = nullptr;
    try {
        manager.GetResources().Add(CBToDo::GetStaticResourcesFor(kResourceDelete));
        manager.ObtainResources();
        DataFile data = manager.Context().File(kFileToDo);
        DataFile index = manager.Context().File(kFileToDoIndex);
        std::vector<uint8_t> rec(kToDoLength);
        LockRec(data, recNo);
        locked = data;
        ReadRec(data, recNo, rec.data());
        const ToDoKey key = BuildToDoKeyOfRecord(rec.data(), recNo);
        DeleteKey(index, key.data(), 0, 0);
        // The notes block stays in the notes file; only the record and its key go.
        std::fill(rec.begin(), rec.end(), uint8_t{0xFF});
        WriteRec(data, recNo, rec.data());
        UnLockRec(data, recNo);
        locked = nullptr;
        manager.ReleaseResources();
    } catch (const std::exception& e) {
        // The lock is the file's, not the bracket's: give it back before reporting.
        if (locked) UnLockRec(locked, recNo);
        Services().TaskMessageBox(e.what(), MsgKind::Stop);
        return false;
    }

    list->DeleteRow(selected);
    list->viewport()->update();
    const int rows = list->RowCount();
    if (rows > 0 && selected == rows) list->SelectRow(rows - 1);
    return true;
}

}  // namespace kelo
