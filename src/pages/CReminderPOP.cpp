#include "src/pages/CReminderPOP.h"

#include "src/pages/scans/PurchaseOrdersScan.h"

namespace kelo {

CReminderPOP::CReminderPOP(TaskServices& services, QWidget* parent, CKTreeView* tree)
    : CReminderListPage(PurchaseOrdersTaskScan(), kDialogId, kListId, QStringLiteral("Purchase Orders List"), services,
                        parent, tree)
{
}

}  // namespace kelo
