#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include <QPointer>

#include "host/ui/CKDataChange.h"
#include "host/ui/CKDialog.h"
#include "src/pages/scans/TaskScan.h"

class QMenu;
class QAction;
class QPoint;

namespace kelo {

class CKListView;
class CKTreeView;
class CRecordWrite;
class DataContext;
class TaskServices;

// Commands every page knows.
inline constexpr int kCommandFillList = 2348;
inline constexpr int kCommandDateChanged = 2350;
// The File commands a page carries out for its selected row.
inline constexpr int kCommandNew = 32794;
inline constexpr int kCommandOpen = 32795;
inline constexpr int kCommandDelete = 32796;
inline constexpr int kCommandProperties = 32797;
inline constexpr int kCommandPay = 32798;
inline constexpr int kCommandClearToDo = 32804;
inline constexpr int kCommandClearBills = 32805;

// The base of every task page: one list filling the page, its categories in the shared tree,
// and the fill life cycle that keeps a page safe while its fill yields to the host.
//
// Menus: a command's QAction carries the command id as its data() (an int); UpdateCommandMenu
// finds the actions by that id anywhere in the menu, so the main window hands in whichever popup
// is about to open.
//
// Life: construct, Create(parent) (the subclass's OnInitDialog adds its categories and posts the
// first fill), DestroyWindow() (CKSplitter::ReplaceDlg does it). A page destroyed while its fill
// is on the stack is freed by that fill when it unwinds, never earlier and never twice.
class CReminderPage : public CKDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CReminderPage)

public:
    // `dialogId` is the page's resource number (its help topic); `listId` the list's control id
    // (also its column set's number); `tree` the category tree of the left pane, shared by all
    // pages (may be null in tests that need no categories); `contextMenuId` 0 for none.
    CReminderPage(int dialogId, int listId, TaskServices& services, QWidget* parent,
                  CKTreeView* tree, int contextMenuId);
    ~CReminderPage() override;

    // Sets the File commands' states in `menu`. Base: greys New, Open, Delete, Pay, Properties,
    // Clear To Do Entries and Clear Bill Entries.
    virtual void UpdateCommandMenu(QMenu* menu);
    // FillList(), then repaint. A refresh while a fill runs is refused by the busy guard.
    virtual void Refresh();
    // The tree's selection changed: keep the item and value, stop a running fill and post a new
    // one. A fill stopped this way is followed by one for the new category.
    virtual void OnCategorySelected(int item, uint32_t value);
    // A row was activated (double click, Enter). Base: nothing.
    virtual void OpenSelected();
    // Stored data changed in another process (command 500). Base: Refresh(), or, while a modal
    // dialog or a question is open, one Refresh() when it has closed (a dialog of this page
    // holds its record by number and must not see its list change under it).
    virtual void OnDataChanged();
    // Empties the list and fills it for the chosen category. Pages usually call RunFill.
    virtual void FillList() = 0;

    // 2348 FillList, 2350 Refresh, 500 OnDataChanged; IDOK and IDCANCEL do nothing.
    bool OnCommand(int id) override;

    CKListView* List() const { return m_list; }
    CKTreeView* Tree() const { return m_tree; }
    TaskServices& Services() const { return m_services; }
    DataContext& Context() const;
    int ContextMenuId() const { return m_contextMenuId; }
    uint32_t CategoryValue() const { return m_categoryValue; }
    int CategoryItem() const { return m_categoryItem; }

    // The row whose hidden record number (column `recNoColumn`) is `recNo`; -1 when none.
    int FindRow(int recNoColumn, uint32_t recNo) const;
    // A change notification is waiting for a modal window to close.
    bool IsRefreshDeferred() const { return m_deferredFrom != nullptr; }

    bool IsBusy() const { return m_busy; }
    bool IsStopRequested() const { return m_stop; }
    bool IsDestroyPending() const { return m_destroyPending; }
    bool IsFillComplete() const { return m_fillComplete; }

    // The page's context menu with its states set by UpdateCommandMenu; each action sends its
    // command to the page. nullptr when the page has none. The caller owns the menu.
    QMenu* CreateContextMenu(QWidget* parent = nullptr);
    // The context request of the list: shows the context menu at `globalPos` (nothing without).
    void ShowContextMenu(const QPoint& globalPos);

    // The popup of a context-menu resource (111, 112, 113, 116, 123, 124); nullptr for others.
    static QMenu* LoadContextMenu(int menuId, QWidget* parent = nullptr);
    // Every action of `menu` (and its submenus) carrying command `id`; enables or disables them.
    static void EnableCommand(QMenu* menu, int id, bool enabled);
    // The first action carrying command `id`, nullptr when none.
    static QAction* FindCommand(QMenu* menu, int id);

protected:
    // The base initialisation: registers the page for data-change notices. Subclasses call it
    // first, then SetUpCategories.
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    // Sets stop and destroy pending and unregisters from data-change notices.
    void OnDestroy() override;
    // Deletes the page only when no fill of its own is running.
    void PostNcDestroy() override;

    // The page's start: clears the tree, adds the categories in order, takes the first as the
    // chosen one, posts the first fill and sets the list colours.
    void SetUpCategories(std::span<const TaskCategory> categories);
    // The columns of the list (its packed row layout).
    void SetColumns(const CKColumnSet& columns);

    // The fill pattern around a scan: returns at once when busy; otherwise clears the flags and
    // the list, runs `scan` with a sink that adds each row to the list, yields to the host when
    // `yields` (and background fill is on) and reports the stop flag; selects the first row
    // unless stopped; ends the fill (EndFill). A fault of the data layer is shown once and the
    // rows added so far stay. Returns false when refused (busy) or when the page was freed (it
    // was destroyed during the fill): the caller must not touch the page then.
    using ScanFunction = std::function<void(const ScanInput&, ScanSink&)>;
    bool RunFill(const ScanFunction& scan, bool yields);
    // The same pieces for a fill that does not go through a scan function.
    bool BeginFill();
    // Returns false when the page was freed (destroy pending): nothing may touch it afterwards.
    bool EndFill();

    // What a scan is given: the company, the category, the program date and the user.
    ScanInput MakeScanInput() const;

    // Delete of the selected row's record: holds its record number and bytes, asks `question`
    // (Yes/No), then `rule` runs `write` with the record locked and checked; the row goes by
    // record number and the selection moves to the new last row when it was past the end.
    // A record another user changed or deleted meanwhile leaves the list to a refill. Returns
    // true when the record was deleted.
    bool DeleteSelectedRecord(int recNoColumn, int question, CRecordWrite& rule,
                              const std::function<void(DataContext&, bool)>& write);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PostFill();
    void OnListContextRequested(int row, const QPoint& globalPos);

    TaskServices& m_services;
    CKTreeView* m_tree;
    CKListView* m_list;
    int m_contextMenuId;
    uint32_t m_categoryValue = 0;
    int m_categoryItem = -1;

    bool m_fillComplete = false;
    bool m_stop = false;
    bool m_destroyPending = false;
    bool m_busy = false;
    // A category change wants a fill for the new category; kept until a fill starts.
    bool m_fillWanted = false;
    // Fills this page has posted and not yet handled.
    int m_queuedFills = 0;
    // The modal window a change notification waits for; its closing refreshes the page.
    QPointer<QWidget> m_deferredFrom;
};

}  // namespace kelo
