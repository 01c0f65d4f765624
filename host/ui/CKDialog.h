#pragma once

#include <QPointer>
#include <QWidget>

class QEventLoop;

namespace kelo {

// Command ids that every dialog knows, with the values of the platform's dialog convention.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// The dialog base of every pane, page and entry dialog: a QWidget with numeric command routing
// and the dialog life cycle (create, initialise, destroy, delete itself).
//
// Life cycle, all on the UI thread:
//  - construct; Create(parent) runs OnInitDialog() once (or DoModal() does, for a modal run);
//  - DestroyWindow() ends a modeless dialog or a pane: OnDestroy() runs (the teardown), the
//    CKDialogs inside it are destroyed too, the widget is hidden and detached from its parent,
//    then PostNcDestroy() runs, whose default deletes the object later (deleteLater). A subclass
//    that must outlive its window for a while (a page whose fill is on the stack) overrides
//    PostNcDestroy and deletes itself when it is safe. Once destroyed, posted commands are
//    dropped and DestroyWindow() does nothing.
//  - A plain `delete` of a dialog that was never destroyed skips OnDestroy(); end dialogs with
//    DestroyWindow() (CKSplitter::ReplaceDlg does).
class CKDialog : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKDialog)

public:
    // dialogId is the dialog's resource number (its help topic by default); it is only stored.
    explicit CKDialog(int dialogId = 0, QWidget* parent = nullptr);
    ~CKDialog() override;

    int DialogId() const { return m_dialogId; }
    // Control id of this dialog inside its parent (0 when none was given).
    int GetDlgCtrlID() const { return m_ctrlId; }
    void SetDlgCtrlID(int id) { m_ctrlId = id; }

    // Makes the window: reparents to `parent` when it is not null (keeping it a child widget),
    // then runs OnInitDialog() the first time. Returns OnInitDialog()'s answer; a second call
    // only reparents and returns true.
    bool Create(QWidget* parent = nullptr);

    // Runs the dialog modally as a top-level window owned by `owner` (nullptr: no owner) until
    // EndDialog(); runs OnInitDialog() first when Create() has not. The window has a title, a
    // system menu and a close button but no minimise or maximise box, and keeps the size it
    // opens at (its layout's size, unless resized before), so no window manager offers them. Returns the value given to
    // EndDialog(), or -1 when OnInitDialog() returned false. Afterwards OnDestroy() has run and
    // the dialog counts as destroyed; the object is the caller's to delete (PostNcDestroy is not
    // called). Blocks in a nested event loop; tests end it from a timer or a scripted handler.
    int DoModal(QWidget* owner = nullptr);
    // Ends a modal run with `result`. Outside a modal run it only records the result.
    void EndDialog(int result);
    bool IsModal() const { return m_loop != nullptr; }

    // Handles a numeric command. Returns true when handled. The base handles IDOK (OnOK) and
    // IDCANCEL (OnCancel) and nothing else.
    virtual bool OnCommand(int id);
    // Calls OnCommand(id) now and returns its answer; false (and nothing runs) once destroyed.
    bool SendCommand(int id);
    // Queues OnCommand(id) for the event loop. Dropped when the dialog is deleted or destroyed
    // before the queue reaches it.
    void PostCommand(int id);

    // Ends the window (see the life cycle above). During a modal run it ends the run with
    // IDCANCEL instead; DoModal then destroys the window and the caller deletes the object.
    void DestroyWindow();
    bool IsDestroyed() const { return m_destroyed; }
    bool IsInitialised() const { return m_initialised; }

    // The help topic property "TMHP" of any window: 0 when it has none.
    static constexpr const char* kHelpProperty = "TMHP";
    static void SetHelpProperty(QWidget* window, int topic);
    static int GetHelpProperty(const QWidget* window);
    static void RemoveHelpProperty(QWidget* window);

protected:
    // Set-up once the window exists. Returns false to fail Create()/DoModal().
    virtual bool OnInitDialog();
    // Enter on a top-level or modal dialog, and IDOK. Base: ends a modal run with IDOK.
    virtual void OnOK();
    // Escape, the close box and IDCANCEL. Base: ends a modal run with IDCANCEL; a modeless
    // top-level dialog destroys itself; a child (pane, page) does nothing.
    virtual void OnCancel();
    // Teardown when the window is destroyed (DestroyWindow or the end of DoModal).
    virtual void OnDestroy();
    // After the window is gone (not called for DoModal). Base: deleteLater().
    virtual void PostNcDestroy();

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    int m_dialogId;
    int m_ctrlId = 0;
    bool m_initialised = false;
    bool m_destroyed = false;
    int m_result = 0;
    QEventLoop* m_loop = nullptr;
};

}  // namespace kelo
