#pragma once

#include <QMainWindow>

class QAction;
class QLabel;

namespace kelo::host {

class HostSession;
class TaskModule;

// kelo-host's own main window: the company and user, the program date, and Tasks → Task
// Manager, which opens the module's window or brings it forward.
class HostWindow final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HostWindow)

public:
    HostWindow(HostSession& session, TaskModule& module);

    // Tasks → Task Manager: raises the open window, or opens one.
    void OpenTaskManager();
    // File → Program Date…: asks for a date and makes it the program date.
    void ChangeProgramDate();
    void ShowSummary();
    // Accounts → New Phone Call Reminder…: a reminder to ring a customer or supplier.
    void NewPhoneCallReminder();
    // Tasks → Background List Fill: saved at once; the Task Manager reads it when it opens.
    void SetBackgroundFill(bool on);
    QAction* BackgroundFillAction() const { return m_backgroundFill; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    HostSession& m_session;
    TaskModule& m_module;
    QLabel* m_summary;
    QAction* m_backgroundFill = nullptr;
};

}  // namespace kelo::host
