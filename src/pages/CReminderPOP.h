#pragma once

#include "src/pages/CReminderListPage.h"

namespace kelo {

// The Purchase Orders page: purchase orders by their processing state. Read-only.
class CReminderPOP final : public CReminderListPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CReminderPOP)

public:
    static constexpr int kDialogId = 135;
    static constexpr int kListId = 2353;

    CReminderPOP(TaskServices& services, QWidget* parent, CKTreeView* tree);
};

}  // namespace kelo
