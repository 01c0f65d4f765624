#pragma once

#include "src/pages/CReminderPage.h"

namespace kelo {

// The Recurring Items page: the host's recurring entries by kind with their frequency and next
// posting; read-only, Properties opens the Recurring Entry Properties viewer.
class CReminderRecurring final : public CReminderPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CReminderRecurring)

public:
    static constexpr int kDialogId = 108;
    static constexpr int kListId = 1002;
    static constexpr int kContextMenuId = 116;

    CReminderRecurring(TaskServices& services, QWidget* parent, CKTreeView* tree);

    // Properties while the list has rows.
    void UpdateCommandMenu(QMenu* menu) override;
    // Every recurring entry, in record order; no yields.
    void FillList() override;
    // The Recurring Entry Properties viewer on the selected row, modal; nothing without one.
    void OpenSelected() override;
    bool OnCommand(int id) override;

protected:
    bool OnInitDialog() override;
};

}  // namespace kelo
