#include "src/app/CToolbarDialog.h"

#include <QVBoxLayout>

#include "host/framework/CBAccessManager.h"
#include "host/ui/CKTBar.h"
#include "src/app/CReminderDialog.h"
#include "src/app/TaskCatalog.h"
#include "src/app/TaskServices.h"

namespace kelo {

namespace {

constexpr int kCompanyDetailsBitmap = 380;

// Task buttons the access manager may take away. `everyone`: the supervisor loses it too.
struct Removal {
    int commands[2];
    bool everyone;
    bool (*barred)(const CBAccessManager&);
};
const Removal kRemovals[] = {
    {{kCommandAccountStatus, kCommandAccountsDue},
     false,
     [](const CBAccessManager& a) { return a.Check(0, 0) && a.Check(4, 0); }},
    {{kCommandRecurring, 0}, false, [](const CBAccessManager& a) { return a.Check(7, 18, 0); }},
    {{kCommandStock, 0}, true, [](const CBAccessManager& a) { return a.Check(6, 0); }},
    {{kCommandInvoices, 0}, false, [](const CBAccessManager& a) { return a.Check(3, 0); }},
    {{kCommandSalesOrders, 0}, false, [](const CBAccessManager& a) { return a.Check(2, 0); }},
    {{kCommandPurchaseOrders, 0}, false, [](const CBAccessManager& a) { return a.Check(5, 0); }},
};

CKTBar* MakeBar(const QString& title, QWidget* parent, int id)
{
    auto* bar = new CKTBar(title, parent, id);
    bar->setOrientation(Qt::Vertical);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    return bar;
}

}  // namespace

CToolbarDialog::CToolbarDialog(CReminderDialog& mainWindow, TaskServices& services)
    : CKDialog(kDialogId, &mainWindow),
      m_tasksBar(MakeBar(QStringLiteral("Tasks"), this, kTasksBarId)),
      m_companyBar(MakeBar(QStringLiteral("Company"), this, kCompanyBarId)),
      m_mainWindow(mainWindow)
{
    for (const TaskInfo& task : AllTasks())
        m_tasksBar->AddButton(task.command, QString::fromLatin1(task.buttonLabel), task.bitmap);
    RemoveBarredButtons(services);
    const bool supervisor = services.CurrentUserName() == kSupervisorName;
    if (supervisor || !services.AccessManager().Check(19, 1, 0))
        m_companyBar->AddButton(kCommandCompanyDetails, QStringLiteral("Company Details"),
                                kCompanyDetailsBitmap);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_tasksBar);
    layout->addWidget(m_companyBar);
    layout->addStretch(1);

    // As wide as the task bar, plus one.
    const QSize bar = m_tasksBar->sizeHint();
    const int width = std::max(bar.width(), m_companyBar->sizeHint().width()) + 1;
    setFixedWidth(width);
    m_tasksBar->setFixedWidth(width - 1);
    m_companyBar->setFixedWidth(width - 1);
    resize(width, bar.height());

    connect(m_tasksBar, &CKTBar::commandTriggered, this, [this](int id) { SendCommand(id); });
    connect(m_companyBar, &CKTBar::commandTriggered, this, [this](int id) { SendCommand(id); });
}

void CToolbarDialog::RemoveBarredButtons(TaskServices& services)
{
    const bool supervisor = services.CurrentUserName() == kSupervisorName;
    const CBAccessManager& access = services.AccessManager();
    for (const Removal& r : kRemovals) {
        if ((supervisor && !r.everyone) || !r.barred(access)) continue;
        for (int command : r.commands)
            if (command) m_tasksBar->DeleteButton(command);
    }
}

bool CToolbarDialog::OnInitDialog()
{
    m_initialised = true;
    return true;
}

bool CToolbarDialog::OnCommand(int id)
{
    if (m_initialised && FindTask(id)) {
        m_mainWindow.OnSelectTaskMessage(id, 0);
        return true;
    }
    // Company Details is the main window's command.
    if (id == kCommandCompanyDetails) return m_mainWindow.SendCommand(id);
    return CKDialog::OnCommand(id);
}

}  // namespace kelo
