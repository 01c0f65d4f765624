#pragma once

#include "src/pages/CReminderListPage.h"

namespace kelo {

// The Sales Orders page: sales orders by their processing state. Read-only.
class CReminderSOP final : public CReminderListPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CReminderSOP)

public:
    static constexpr int kDialogId = 134;
    static constexpr int kListId = 2352;

    CReminderSOP(TaskServices& services, QWidget* parent, CKTreeView* tree);
};

}  // namespace kelo
