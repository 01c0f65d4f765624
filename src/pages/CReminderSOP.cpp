#include "src/pages/CReminderSOP.h"

#include "src/pages/scans/SalesOrdersScan.h"

namespace kelo {

CReminderSOP::CReminderSOP(TaskServices& services, QWidget* parent, CKTreeView* tree)
    : CReminderListPage(SalesOrdersTaskScan(), kDialogId, kListId, QStringLiteral("Sales Orders List"), services,
                        parent, tree)
{
}

}  // namespace kelo
