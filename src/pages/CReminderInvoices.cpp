#include "src/pages/CReminderInvoices.h"

#include "src/pages/scans/InvoicesScan.h"

namespace kelo {

CReminderInvoices::CReminderInvoices(TaskServices& services, QWidget* parent, CKTreeView* tree)
    : CReminderListPage(InvoicesTaskScan(), kDialogId, kListId, QStringLiteral("Invoices List"), services,
                        parent, tree)
{
}

}  // namespace kelo
