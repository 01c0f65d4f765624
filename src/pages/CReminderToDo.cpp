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
#include "src/records/CRecordWrite.h"
#include "src/records/ToDoDelete.h"

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
    // Not opened (the entry went at another desk): the list shows what is there now.
    if (dialog.DoModal(window()) == -1) Refresh();
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

    // The row of the saved record, wherever a refill has put it meanwhile.
    const int at =
        isNew ? -1 : FindRow(kToDoColRecordNumber, cols.ReadUInt32(row, kToDoColRecordNumber));
    if (at < 0) {
        addIfListed();
    } else if (cols.ReadUInt32(list->RowBytes(at), kToDoColCategory) != category) {
        list->DeleteRow(at);
        addIfListed();
    } else if (mine) {
        list->SetRow(at, row);
    } else {
        list->DeleteRow(at);
    }
    list->viewport()->update();
}

bool CReminderToDo::DeleteSelected()
{
    CRecordWrite rule = ToDoDeleteRule(Services());
    return DeleteSelectedRecord(kToDoColRecordNumber, kDeleteQuestion, rule,
                                [&rule](DataContext& files, bool) {
                                    DeleteToDoRecord(files, rule.RecordNumber());
                                });
}

}  // namespace kelo
