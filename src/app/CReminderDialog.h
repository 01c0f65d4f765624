#pragma once

#include <array>
#include <cstdint>

#include <QFont>
#include <QPointer>

#include "host/ui/CKDialog.h"

class QMenu;
class QMenuBar;
class QAction;

namespace kelo {

class CKBox;
class CKSplitter;
class CKStatusBar;
class CKTBar;
class CReminderApp;
class CReminderPage;
class CToolbarDialog;
class CTreeDialog;

// The Task Manager window: menu, command bar, task toolbar pane, caption bar, the splitter with
// the category tree and the current task's page, and the status bar with the program date.
// Every command goes to the current page first, then to the window's own table.
//
// Created by CReminderApp::TaskInitialise: construct, Create() (builds the children, shows the
// To do List, restores the placement), show. DestroyWindow() (Exit, Escape, the close box,
// KillTaskManager) saves the placement and tears it down; the object deletes itself after.
class CReminderDialog final : public CKDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CReminderDialog)

public:
    static constexpr int kDialogId = 121;
    static constexpr int kCommandBarId = 101;
    static constexpr int kStatusContainerId = 101;
    static constexpr int kSplitterId = 59648;
    static constexpr const char* kTitle = "Kelo Task Manager";
    // Popups of menu 122, in order.
    enum class Popup { File, Tasks, Settings, Help };

    CReminderDialog(CReminderApp& app, QWidget* owner);
    ~CReminderDialog() override;

    bool OnCommand(int id) override;

    // Shows a task: a new page every time, also for the task already shown. Nothing while
    // closing; a task whose page is not built yet leaves the window as it is.
    void SelectTask(int command);
    // The task-selection message of the task toolbar (first parameter = the task command).
    void OnSelectTaskMessage(int command, int param = 0);
    // Check mark of the task in the Tasks menu; the command bar's buttons for the task.
    void UpdateToolbarForTask(int command);
    // The Tasks menu's check mark on `command`'s item alone.
    void CheckTaskItem(int command);
    // A category of the tree was chosen: handed to the active page, if there is one.
    void OnCategorySelected(int item, uint32_t value);
    // The state of a popup about to open: the page's File commands, then the access rights.
    void UpdateMenuState(QMenu* menu);
    // Application activation: the date pane, then Refresh() of the current task's page.
    void OnActivateApp();
    // Shows the program date in the date pane (may post 2350 when it changed).
    void UpdateDatePane();

    int CurrentTask() const { return m_currentTask; }
    CReminderPage* ActivePage() const;
    CReminderPage* TaskPage(int command) const;
    bool IsClosing() const { return m_closing; }

    QMenuBar* MenuBar() const { return m_menuBar; }
    QMenu* Menu(Popup popup) const;
    // The action of a command in the menu, nullptr when absent (or removed).
    QAction* FindMenuCommand(int command) const;
    CKTBar* CommandBar() const { return m_commandBar; }
    CToolbarDialog* ToolbarPane() const;
    CTreeDialog* TreePane() const;
    CKSplitter* Splitter() const { return m_splitter; }
    CKBox* CaptionBar() const { return m_captionBar; }
    CKStatusBar* StatusBar() const { return m_statusBar; }
    const QFont& CaptionFont() const { return m_captionFont; }

protected:
    bool OnInitDialog() override;
    void OnDestroy() override;
    void PostNcDestroy() override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreateChildren();
    void BuildMenu();
    void BuildCommandBar();
    void BuildStatusBar();
    void LayOut();
    void ClearBillEntries();
    void ClearToDoEntries();
    void ShowCompanyDetails();
    void ShowAbout();
    bool OwnCommand(int id);
    // Access-rights removal of task items for users other than the supervisor.
    void RemoveBarredItems(QMenu* menu);
    // Dialog units of the window's font, for the sizes the window resources give.
    QSize DialogUnits(int width, int height) const;

    CReminderApp& m_app;
    CKTBar* m_commandBar = nullptr;
    QPointer<CToolbarDialog> m_toolbarPane;
    QPointer<CTreeDialog> m_treePane;
    std::array<QPointer<CReminderPage>, 10> m_pages;
    CKSplitter* m_splitter = nullptr;
    bool m_closing = false;
    CKBox* m_captionBar = nullptr;
    QFont m_captionFont;
    CKStatusBar* m_statusBar = nullptr;
    CKTBar* m_statusContainer = nullptr;
    int m_currentTask = 32600;
    QPointer<CReminderPage> m_activePage;
    QPointer<QWidget> m_helpHolder;
    QMenuBar* m_menuBar = nullptr;
    std::array<QMenu*, 4> m_menus{};
};

}  // namespace kelo
