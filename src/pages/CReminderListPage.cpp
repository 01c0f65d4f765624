#include "src/pages/CReminderListPage.h"

#include "host/ui/CKListView.h"
#include "src/app/TaskServices.h"

namespace kelo {

CReminderListPage::CReminderListPage(const TaskScan& task, int dialogId, int listId,
                                     const QString& listName, TaskServices& services,
                                     QWidget* parent, CKTreeView* tree)
    : CReminderPage(dialogId, listId, services, parent, tree, 0), m_task(task)
{
    List()->setAccessibleName(listName);
    SetColumns(m_task.columns());
}

bool CReminderListPage::OnInitDialog()
{
    if (!CReminderPage::OnInitDialog()) return false;
    SetUpCategories(m_task.categories(Services().CurrentUserName(), Services().AccessManager()));
    return true;
}

void CReminderListPage::FillList() { RunFill(m_task.scan, true); }

}  // namespace kelo
