#pragma once

#include "host/ui/CKDialog.h"

namespace kelo {

class CKTBar;
class CReminderDialog;
class TaskServices;

// The leftmost column of the main window: the "Tasks" bar with one button per task the user may
// use, and the "Company" bar with Company Details. A task button asks the main window for its
// task (message 1124); Company Details goes to the main window as its command.
class CToolbarDialog final : public CKDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CToolbarDialog)

public:
    static constexpr int kDialogId = 123;
    static constexpr int kTasksBarId = 32780;
    static constexpr int kCompanyBarId = 32782;
    static constexpr unsigned kTransparent = 0xFF00FF;

    // Builds both bars; the buttons are decided once, here, from the user's rights.
    CToolbarDialog(CReminderDialog& mainWindow, TaskServices& services);

    bool OnCommand(int id) override;

    CKTBar* TasksBar() const { return m_tasksBar; }
    CKTBar* CompanyBar() const { return m_companyBar; }
    bool IsReady() const { return m_initialised; }

protected:
    bool OnInitDialog() override;

private:
    void RemoveBarredButtons(TaskServices& services);

    CKTBar* m_tasksBar;
    CKTBar* m_companyBar;
    bool m_initialised = false;
    CReminderDialog& m_mainWindow;
};

}  // namespace kelo
