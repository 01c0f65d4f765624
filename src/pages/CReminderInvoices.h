#pragma once

#include "src/pages/CReminderListPage.h"

namespace kelo {

// The Invoices page: invoices and credit notes still to print or post. Read-only.
class CReminderInvoices final : public CReminderListPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CReminderInvoices)

public:
    static constexpr int kDialogId = 107;
    static constexpr int kListId = 1007;

    CReminderInvoices(TaskServices& services, QWidget* parent, CKTreeView* tree);
};

}  // namespace kelo
