#pragma once

#include "src/pages/CReminderListPage.h"

namespace kelo {

// The Stock page: items out of stock, at or below their reorder level, on order or allocated.
// Read-only. The quantity columns follow the host's number of decimal places for quantities.
class CReminderStock final : public CReminderListPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CReminderStock)

public:
    static constexpr int kDialogId = 136;
    static constexpr int kListId = 2354;

    CReminderStock(TaskServices& services, QWidget* parent, CKTreeView* tree);

protected:
    bool OnInitDialog() override;
};

}  // namespace kelo
