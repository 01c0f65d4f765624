#pragma once

#include "src/pages/CReminderPage.h"

namespace kelo {

// The Accounts Due page: outstanding sales and purchase invoices by overdue, due and within
// settlement; Properties opens the Transaction Details viewer on the selected invoice.
class CReminderAuditTrail final : public CReminderPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CReminderAuditTrail)

public:
    static constexpr int kDialogId = 106;
    static constexpr int kListId = 1004;
    static constexpr int kContextMenuId = 113;

    CReminderAuditTrail(TaskServices& services, QWidget* parent, CKTreeView* tree);

    // Properties while the list has rows.
    void UpdateCommandMenu(QMenu* menu) override;
    // Both ledgers, yielding after every header and account; the first row is selected as soon
    // as it is added.
    void FillList() override;
    // The Transaction Details viewer on the selected row, modal; nothing without a selection.
    void OpenSelected() override;
    bool OnCommand(int id) override;

protected:
    bool OnInitDialog() override;
};

}  // namespace kelo
