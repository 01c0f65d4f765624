#include "src/pages/CReminderStock.h"

#include "src/app/TaskServices.h"
#include "src/pages/scans/StockScan.h"

namespace kelo {

CReminderStock::CReminderStock(TaskServices& services, QWidget* parent, CKTreeView* tree)
    : CReminderListPage(StockTaskScan(), kDialogId, kListId, QStringLiteral("Stock List"),
                        services, parent, tree)
{
}

bool CReminderStock::OnInitDialog()
{
    if (!CReminderListPage::OnInitDialog()) return false;
    const int decimals = StockSettingsOf(Services().Block()).quantityDecimals;
    if (decimals != 2) SetColumns(StockColumnsFor(decimals));
    return true;
}

}  // namespace kelo
