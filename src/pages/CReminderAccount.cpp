#include "src/pages/CReminderAccount.h"

#include "host/file/RecordFile.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKMessageBox.h"
#include "src/app/TaskServices.h"
#include "src/pages/scans/AccountStatusScan.h"
#include "src/viewers/CAccountProperties.h"

namespace kelo {

CReminderAccount::CReminderAccount(TaskServices& services, QWidget* parent, CKTreeView* tree)
    : CReminderPage(kDialogId, kListId, services, parent, tree, kContextMenuId)
{
    List()->setAccessibleName(QStringLiteral("Account Status List"));
    SetColumns(AccountStatusColumns());
}

bool CReminderAccount::OnInitDialog()
{
    if (!CReminderPage::OnInitDialog()) return false;
    SetUpCategories(
        AccountStatusCategories(Services().CurrentUserName(), Services().AccessManager()));
    return true;
}

void CReminderAccount::UpdateCommandMenu(QMenu* menu)
{
    CReminderPage::UpdateCommandMenu(menu);
    EnableCommand(menu, kCommandProperties, List()->RowCount() > 0);
}

void CReminderAccount::FillList() { RunFill(&ScanAccountStatus, true); }

void CReminderAccount::OpenSelected()
{
    const int selected = List()->GetSelectedRow();
    if (selected < 0) return;
    int ledger = AccountStatusPropertiesLedger(CategoryValue());
    if (ledger == 0) {
        // A plain box, not one of the module's titled messages.
        CKMessageBox::Show(this, QStringLiteral("Ledger Not defined"), 0, QString());
        ledger = kLedgerSales;
    }
    const uint32_t recNo = AccountStatusRowRecord(List()->RowBytes(selected));
    CAccountProperties viewer(this, Context(), recNo, ledger, Services());
    viewer.DoModal(window());
}

bool CReminderAccount::OnCommand(int id)
{
    if (id == kCommandProperties) {
        OpenSelected();
        return true;
    }
    return CReminderPage::OnCommand(id);
}

}  // namespace kelo
