#include "src/pages/CReminderRecurring.h"

#include "host/ui/CKListView.h"
#include "src/app/TaskServices.h"
#include "src/pages/scans/RecurringScan.h"
#include "src/viewers/CRecurringEntryProperties.h"

namespace kelo {

CReminderRecurring::CReminderRecurring(TaskServices& services, QWidget* parent, CKTreeView* tree)
    : CReminderPage(kDialogId, kListId, services, parent, tree, kContextMenuId)
{
    List()->setAccessibleName(QStringLiteral("Recurring Items List"));
    SetColumns(RecurringColumns());
}

bool CReminderRecurring::OnInitDialog()
{
    if (!CReminderPage::OnInitDialog()) return false;
    SetUpCategories(RecurringCategories(Services().CurrentUserName(), Services().AccessManager()));
    return true;
}

void CReminderRecurring::UpdateCommandMenu(QMenu* menu)
{
    CReminderPage::UpdateCommandMenu(menu);
    EnableCommand(menu, kCommandProperties, List()->RowCount() > 0);
}

void CReminderRecurring::FillList() { RunFill(&ScanRecurring, false); }

void CReminderRecurring::OpenSelected()
{
    const int selected = List()->GetSelectedRow();
    if (selected < 0) return;
    const uint32_t recNo = RecurringRowRecord(List()->RowBytes(selected));
    CRecurringEntryProperties viewer(this, Context(), recNo, Services());
    viewer.DoModal(window());
}

bool CReminderRecurring::OnCommand(int id)
{
    if (id == kCommandProperties) {
        OpenSelected();
        return true;
    }
    return CReminderPage::OnCommand(id);
}

}  // namespace kelo
