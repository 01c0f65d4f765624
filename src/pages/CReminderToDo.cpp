#include "src/pages/CReminderToDo.h"

#include <exception>
#include <vector>

#include <QMenu>

#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKMessageBox.h"
#include "src/app/TaskServices.h"
#include "src/data/FileMap.h"
#include "src/data/ToDoRecord.h"
#include "src/pages/scans/ToDoScan.h"

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
    return CReminderPage::OnCommand(id);
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
