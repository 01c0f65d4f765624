#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <QObject>
#include <QPointer>
#include <QString>

#include "host/framework/CBAccessManager.h"
#include "host/ui/CKYieldClock.h"
#include "src/app/TaskServices.h"

class QWidget;

namespace kelo {

class CReminderDialog;
class CReminderPage;
class CTreeDialog;
struct AboutHostValues;

// The module's application object: the state taken from the host when the window opens, the
// open flag behind the entry points, and the services every page and dialog shares (program
// date, yield, message boxes, window placement, function keys, help). One per process; the
// entry points and the windows reach it through Instance().
class CReminderApp final : public QObject, public TaskServices {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CReminderApp)

public:
    static constexpr const char* kFunctionKeyMessageName = "__ReminderFunctionKey__";
    static constexpr const char* kPlacementKey = "TaskPos";
    static constexpr int kMainWindowTopic = 121;

    // The module's one application object, made on first use (needs a QApplication).
    static CReminderApp& Instance();

    // Entry points.
    // Opens the Task Manager owned by `hostWindow` (may be null). Does not test the open flag.
    void TaskInitialise(QWidget* hostWindow);
    // Restores a minimised window and raises it; nothing without a window.
    void ShowTaskManager();
    // Destroys the window when open; nothing otherwise.
    void KillTaskManager();
    int TaskIsShowing() const { return m_open; }

    // Reads the start-up settings ("Tasks"/"AllowBackgroundFill" of GetINI(0)). Run when the
    // object is made and when the window opens; tests run it again after changing the settings.
    void LoadStartSettings();

    // TaskServices.
    uint16_t GetProgramDateChecked() override;
    void YieldToHost() override;
    bool BackgroundFill() const override { return m_backgroundFill; }
    void ShowFillProgress(int rows) override;
    int TaskMessageBox(const std::string& text, int kind, int extra = 0) override;
    int TaskMessageBoxId(int stringId, int kind, int extra = 0) override;
    const std::string& CurrentUserName() const override { return m_userName; }
    // Throws std::logic_error when no company is open (no host global block).
    DataContext& Context() override;
    const CBAccessManager& AccessManager() const override { return m_access; }
    GlobalBlock Block() const override { return GlobalBlock(m_globalBlock); }
    bool IsSupervisor() const;

    // Window placement under [Tasks] of GetINI(1). Restore answers true when a placement was
    // applied; a missing, short or off-screen text leaves the window as it is.
    void SaveWindowPlacement(const QString& key, QWidget* window);
    bool RestoreWindowPlacement(const QString& key, QWidget* window);

    // The registered function-key message and its handler (F1 help, F2 calculator, F11/F12
    // the command lines of "KL70"). Always answers 0.
    uint32_t FunctionKeyMessage() const { return m_functionKeyMessage; }
    int OnFunctionKey(int virtualKey);

    // Help: the help file under the program folder, the context help of the active window and
    // the call that opens a topic.
    QString HelpPath() const;
    void ShowContextHelp();
    void OpenHelpTopic(QWidget* window, const QString& path, int command, int topic,
                       bool allowWeb);

    // What the About box shows from the host's global block.
    AboutHostValues AboutValues() const;

    // State kept up to date by the windows.
    QWidget* HostWindow() const;
    CReminderDialog* MainWindow() const;
    void SetMainWindow(CReminderDialog* window);
    CReminderPage* CurrentPage() const;
    void SetCurrentPage(CReminderPage* page);
    CTreeDialog* TreePane() const;
    void SetTreePane(CTreeDialog* pane);
    // The main window has gone: the open flag returns to 0.
    void MainWindowDestroyed(CReminderDialog* window);

private:
    CReminderApp();

    QPointer<QWidget> m_hostWindow;
    QPointer<CReminderDialog> m_mainWindow;
    QPointer<CReminderPage> m_currentPage;
    QPointer<CTreeDialog> m_treePane;
    DataContext* m_context = nullptr;
    uint8_t* m_globalBlock = nullptr;

    int m_open = 0;
    uint16_t m_programDate = 0;
    std::string m_userName = kSupervisorName;
    CBAccessManager m_access;
    bool m_backgroundFill = false;
    uint32_t m_functionKeyMessage = 0;
    CKYieldClock m_yield;
};

}  // namespace kelo
