#include "src/pages/CReminderContacts.h"

#include <QMenu>

#include "host/ui/CKColumnSet.h"
#include "host/ui/CKListView.h"
#include "src/app/TaskServices.h"
#include "src/pages/scans/ContactsScan.h"
#include "src/records/CAddContact.h"
#include "src/records/CRecordWrite.h"
#include "src/records/ToDoDelete.h"

namespace kelo {

CReminderContacts::CReminderContacts(TaskServices& services, QWidget* parent, CKTreeView* tree)
    : CReminderPage(kDialogId, kListId, services, parent, tree, kContextMenuId)
{
    List()->setAccessibleName(QStringLiteral("Contacts List"));
    SetColumns(ContactsColumns());
}

bool CReminderContacts::OnInitDialog()
{
    if (!CReminderPage::OnInitDialog()) return false;
    const std::vector<TaskCategory> categories =
        ContactsCategories(Services().CurrentUserName(), Services().AccessManager());
    SetUpCategories(categories);
    return true;
}

void CReminderContacts::UpdateCommandMenu(QMenu* menu)
{
    CReminderPage::UpdateCommandMenu(menu);
    const bool rows = List()->RowCount() > 0;
    EnableCommand(menu, kCommandOpen, rows);
    EnableCommand(menu, kCommandDelete, rows);
    EnableCommand(menu, kCommandClearToDo, true);
}

void CReminderContacts::FillList()
{
    // Reminders are few and the page does not yield between records.
    RunFill(&ScanContacts, false);
}

bool CReminderContacts::OnCommand(int id)
{
    if (id == kCommandDelete) {
        DeleteSelected();
        return true;
    }
    if (id == kCommandOpen) {
        OpenSelected();
        return true;
    }
    if (id == kCommandNew) return true;  // never offered here
    return CReminderPage::OnCommand(id);
}

void CReminderContacts::OpenSelected()
{
    const int selected = List()->GetSelectedRow();
    if (selected < 0) return;
    RunEntryDialog(
        ContactsColumns().ReadUInt32(List()->RowBytes(selected), kContactsColRecordNumber));
}

void CReminderContacts::RunEntryDialog(uint32_t recNo)
{
    CAddContact dialog(*this, Context(), recNo);
    // Not opened (the reminder went at another desk): the list shows what is there now.
    if (dialog.DoModal(window()) == -1) Refresh();
}

void CReminderContacts::UpdateAfterSave(const std::vector<uint8_t>& row)
{
    const CKColumnSet& cols = ContactsColumns();
    CKListView* list = List();
    const uint32_t category = cols.ReadUInt32(row, kContactsColCategory);
    // The row of the saved record, wherever a refill has put it meanwhile.
    const int at = FindRow(kContactsColRecordNumber, cols.ReadUInt32(row, kContactsColRecordNumber));
    if (at >= 0 && cols.ReadUInt32(list->RowBytes(at), kContactsColCategory) == category) {
        list->SetRow(at, row);
    } else {
        if (at >= 0) list->DeleteRow(at);
        if ((category & CategoryValue()) != 0) list->AddRow(row);
    }
    list->viewport()->update();
}

bool CReminderContacts::DeleteSelected()
{
    CRecordWrite rule = ToDoDeleteRule(Services());
    return DeleteSelectedRecord(kContactsColRecordNumber, kDeleteQuestion, rule,
                                [&rule](DataContext& files, bool) {
                                    DeleteToDoRecord(files, rule.RecordNumber());
                                });
}

}  // namespace kelo
