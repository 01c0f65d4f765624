#pragma once

#include <cstdint>
#include <memory>

#include <QObject>
#include <QPointer>
#include <QString>

#include "host/data/GlobalBlock.h"
#include "host/ui/CKIntelliNotify.h"
#include "host/ui/CKIntelliTarget.h"

class QLineEdit;
class QListWidget;
class QPoint;
class QWidget;

namespace kelo {

class CIntelliCache;
class CIntelliEditHook;
class CIntelliInputHook;
class CIntelliPopupWnd;
class CIntelliStore;

// The auto-complete of one edit field: a drop-down of candidates under the field, from the
// field's history or from a search provider. Typing completes the field inline with the first
// candidate that begins with the typed text; arrows, page keys and the mouse move through the
// list; Enter or a click takes a candidate and moves on to the next field; Esc closes the list;
// a right click on a history row offers "&Delete", "Delete &All" and "&Cancel".
//
// The object lives in the dialog that holds the field (AttachIntelliPopup attaches it). Its
// windows are made at the first update of the matches and go when the field loses the focus;
// the keyboard and mouse hooks are installed only while the popup shows, and only one popup
// shows at a time. UI thread only.
class CIntelliPopupImpl : public QObject, public CKIntelliTarget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CIntelliPopupImpl)

public:
    // The remembered popup size lives in this section of GetINI(1).
    static constexpr const char* kSizeSection = "Tasks";
    static constexpr int kStripHeight = 5;  // the strip above the list
    static constexpr int kExtraWidth = 400;
    static constexpr int kDefaultHeight = 180;
    static constexpr int kMinimumHeight = 200;

    // `block` is the host's global block the dialog was handed: the remembered popup sizes are
    // kept per logged-on user.
    explicit CIntelliPopupImpl(GlobalBlock block, QObject* parent = nullptr);
    ~CIntelliPopupImpl() override;

    // Hooks `field` (the edit found by AttachIntelliPopup) and takes the cache of (kind, flag).
    // With a history key the store is the cache's "CACHE" store, loaded from the registry when
    // its key differs; without one, `provider` fills search stores (called with `userValue`).
    // A popup attached before is detached first.
    void Attach(QLineEdit* field, uint32_t kind, uint32_t flag, const QString& historyKey,
                CKSearchFunction provider, intptr_t userValue);
    // Releases store and cache (a history is saved when its last holder goes), removes the
    // hooks and destroys the windows. Also runs when the field is destroyed.
    void Detach();

    QLineEdit* Field() const;
    // The field, or its highest ancestor below the window that is still a tab stop.
    QWidget* OutermostControl() const;
    uint32_t Kind() const { return m_kind; }
    // Changes the kind and takes the cache of the new kind (the field's read-only message).
    void SetKind(uint32_t kind);
    bool IsShown() const { return m_shown; }
    bool IsMenuOpen() const { return m_menuOpen; }
    bool IsSizing() const { return m_sizing; }
    void SetSizing(bool sizing) { m_sizing = sizing; }
    CIntelliPopupWnd* Window() const;
    QListWidget* List() const;
    CIntelliStore* Store() const { return m_store.get(); }
    CIntelliCache* Cache() const { return m_cache.get(); }
    int ListedCount() const { return m_listed; }
    const GlobalBlock& Block() const { return m_block; }

    bool TabAfterChoosing() const { return m_tabAfterChoosing; }
    void SetTabAfterChoosing(bool on) { m_tabAfterChoosing = on; }
    bool CompleteInline() const { return m_completeInline; }
    void SetCompleteInline(bool on) { m_completeInline = on; }
    bool ExactPrefixMatch() const { return m_exactPrefix; }
    void SetExactPrefixMatch(bool on) { m_exactPrefix = on; }

    // The popup shown now, if any (process-wide).
    static CIntelliPopupImpl* Current();

    // Operations, in the order of the original's virtual slots.
    void AddEntry(const QString& text, uint32_t data, const QString& keyText) override;
    // Adds the field's text to a history (a non-empty text only).
    virtual void AddEntry();
    virtual void RenameStore(const QString& name);
    // Generates a Tab key press in the field when "tab after choosing" is on.
    virtual void AfterChoosing();
    // True when `window` or one of its ancestors is the popup or the field.
    virtual bool IsPopupWindow(const QWidget* window) const;
    virtual void CreatePopupWindows();
    // Rebuilds the list when needed and selects the first match of the typed text; `typed`
    // (a character, not Backspace or Delete) also completes the field. Hides the popup when
    // nothing matches, shows it otherwise. Returns whether there is a match.
    virtual bool UpdateMatches(bool typed);
    // The user changed the field's text (a character, Backspace, Delete): remembers what was
    // typed, then updates the matches.
    void FieldEdited(bool typed);
    // The pointer moved over the list (list coordinates) or over the strip above it.
    virtual void FollowPointer(const QPoint& listPos);
    virtual void FollowStrip();
    // Up, Down, Page Up, Page Down.
    virtual void MoveSelection(int key);
    virtual int RowsPerPage() const;
    virtual void ChooseIntoField();
    // The right-click menu over the row at `listPos` (history stores only).
    virtual void ShowMenu(const QPoint& listPos, const QPoint& globalPos);
    virtual void ScrollBy(int rows);
    virtual void UpdateScrollBar();
    // The first row matching `typed`, selected; -1 when none.
    virtual int FindMatch(const QString& typed);

    void Show();
    void Hide();
    void DestroyPopupWindows();

    // What the right-click menu's commands do; both save the history and rebuild the list. A
    // field holding a deleted text (the row under the pointer was chosen into it) goes back to
    // what the user typed.
    void DeleteRowEntry(int row);
    void DeleteAllEntries();

    // A left click on a list row: choose it, hide, move on.
    void ClickRow(const QPoint& listPos);
    // Field width + 400: the popup's first width and the narrowest the user can make it.
    int MinimumWidth() const;

signals:
    // Notifications 100-103 when there is no provider (the dialog's control notification).
    void notified(const CKIntelliNotify& notify);

private:
    void Notify(int code, const QString& text = QString());
    void TakeCache(uint32_t kind, uint32_t flag);
    void RebuildList();
    void SelectRow(int row);
    QString TypedText() const;
    // Puts back what was typed when the field holds a text about to be deleted (`all`: any).
    void ForgetChosen(const QString& deleted, bool all);
    bool Matches(int row, const QString& typed, bool forChoosing) const;

    GlobalBlock m_block;
    QPointer<QLineEdit> m_field;
    QPointer<CIntelliPopupWnd> m_window;
    CIntelliEditHook* m_editHook = nullptr;
    CIntelliInputHook* m_inputHook = nullptr;
    std::shared_ptr<CIntelliCache> m_cache;
    std::shared_ptr<CIntelliStore> m_store;
    CKSearchFunction m_provider = nullptr;
    intptr_t m_userValue = 0;
    uint32_t m_kind = 0;
    uint32_t m_flag = 0;
    int m_listed = 0;
    QString m_typed;  // the field's text as the user last typed it
    bool m_shown = false;
    bool m_tabAfterChoosing = true;
    bool m_completeInline = true;
    bool m_exactPrefix = true;
    bool m_menuOpen = false;
    bool m_sizing = false;
};

}  // namespace kelo
