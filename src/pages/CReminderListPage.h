#pragma once

#include "src/pages/CReminderPage.h"

namespace kelo {

// A read-only page whose list is its task's scan and nothing more (Invoices, Sales Orders,
// Purchase Orders, Stock): the scan's categories at start, a yielding fill through the scan, no
// context menu and no File command; a double click, Enter or a right click does nothing.
class CReminderListPage : public CReminderPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CReminderListPage)

public:
    // `task` is the page's scan in the registry; `listName` the list's accessible name.
    CReminderListPage(const TaskScan& task, int dialogId, int listId, const QString& listName,
                      TaskServices& services, QWidget* parent, CKTreeView* tree);

    void FillList() override;

protected:
    bool OnInitDialog() override;

private:
    const TaskScan& m_task;
};

}  // namespace kelo
