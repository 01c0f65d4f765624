#include "host/program/HostWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMenuBar>
#include <QSignalBlocker>

#include "host/file/Store.h"
#include "host/program/HostSession.h"
#include "host/program/HostSettings.h"
#include "host/program/ReminderDialog.h"
#include "host/program/TaskModule.h"
#include "host/ui/CKDateEdit.h"
#include "host/ui/CKMessageBox.h"
#include "host/util/Dates.h"
#include "host/util/ProgramDate.h"
#include "host/util/Settings.h"

namespace kelo::host {

HostWindow::HostWindow(HostSession& session, TaskModule& module)
    : m_session(session), m_module(module), m_summary(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Kelo Accounts"));
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("Program &Date..."), this, &HostWindow::ChangeProgramDate);
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    QMenu* accounts = menuBar()->addMenu(QStringLiteral("&Accounts"));
    accounts->addAction(QStringLiteral("New &Phone Call Reminder..."), this,
                        &HostWindow::NewPhoneCallReminder);
    QMenu* tasks = menuBar()->addMenu(QStringLiteral("&Tasks"));
    tasks->addAction(QStringLiteral("&Task Manager"), this, &HostWindow::OpenTaskManager);
    tasks->addSeparator();
    m_backgroundFill = tasks->addAction(QStringLiteral("&Background List Fill"));
    m_backgroundFill->setCheckable(true);
    m_backgroundFill->setChecked(HostSettings::BackgroundFill());
    connect(m_backgroundFill, &QAction::toggled, this, &HostWindow::SetBackgroundFill);

    m_summary->setAlignment(Qt::AlignCenter);
    m_summary->setMargin(24);
    setCentralWidget(m_summary);
    ShowSummary();
    resize(520, 260);
}

void HostWindow::ShowSummary()
{
    const QString company = QString::fromStdString(m_session.CompanyName());
    m_summary->setText(
        QStringLiteral("<h2>%1</h2><p>%2</p><p>User: <b>%3</b><br>Program date: <b>%4</b></p>"
                       "<p>Tasks &rarr; Task Manager opens the Task Manager.</p>")
            .arg(company.isEmpty() ? QStringLiteral("(no company name)") : company.toHtmlEscaped(),
                 QString::fromStdString(store::ShownUrl(m_session.Folder())).toHtmlEscaped(),
                 QString::fromStdString(m_session.UserName()).toHtmlEscaped(),
                 QString::fromStdString(DateNumberToFullString(GetProgramDate()))));
}

void HostWindow::NewPhoneCallReminder()
{
    ReminderDialog dialog(m_session.Context(), m_session.UserName(), this);
    dialog.exec();
}

void HostWindow::OpenTaskManager()
{
    if (m_module.TaskIsShowing())
        m_module.ShowTaskManager();
    else
        m_module.TaskInitialise(this);
}

void HostWindow::SetBackgroundFill(bool on)
{
    if (HostSettings::SetBackgroundFill(on)) return;
    const QSignalBlocker keep(m_backgroundFill);
    m_backgroundFill->setChecked(!on);
    CKMessageBox::Show(this, QStringLiteral("The setting could not be saved in %1.").arg(GetINI(0)),
                       MsgKind::Stop, QStringLiteral("Kelo Accounts"));
}

void HostWindow::ChangeProgramDate()
{
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Program Date"));
    auto* edit = new kelo::CKDateEdit(&dialog);
    edit->SetDate(GetProgramDate());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("Program date:"), edit);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return;
    const uint16_t date = edit->GetDate();
    if (date == 0) {
        CKMessageBox::Show(this, QStringLiteral("Please enter the program date as dd/mm/yyyy."),
                           MsgKind::Stop, QStringLiteral("Kelo Accounts"));
        return;
    }
    SetProgramDate(date);
    ShowSummary();
}

void HostWindow::closeEvent(QCloseEvent* event)
{
    m_module.KillTaskManager();
    event->accept();
}

}  // namespace kelo::host
