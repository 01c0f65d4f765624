#pragma once

#include "src/pages/CReminderPage.h"

namespace kelo {

// The Account Status page: accounts over their limit, on hold, inactive, credit chargeable or
// beyond review; Properties opens the Account Details viewer on the selected account.
class CReminderAccount final : public CReminderPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CReminderAccount)

public:
    static constexpr int kDialogId = 109;
    static constexpr int kListId = 1005;
    static constexpr int kContextMenuId = 123;

    CReminderAccount(TaskServices& services, QWidget* parent, CKTreeView* tree);

    // Properties while the list has rows.
    void UpdateCommandMenu(QMenu* menu) override;
    // The ledger of the category value, yielding after every account.
    void FillList() override;
    // The Account Details viewer on the selected row, modal; nothing without a selection. A
    // category value that is none of the nine bits says "Ledger Not defined" and opens sales.
    void OpenSelected() override;
    bool OnCommand(int id) override;

protected:
    bool OnInitDialog() override;
};

}  // namespace kelo
