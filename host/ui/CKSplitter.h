#pragma once

#include <QSplitter>

namespace kelo {

class CKDialog;

// The main window's splitter: one row of panes, each holding a CKDialog (a pane or a page).
// Only row 0 exists; calls naming another row do nothing and answer false / nullptr.
// Child widgets created with the splitter as parent are not panes until CreateDlg/ReplaceDlg
// puts them in one.
class CKSplitter final : public QSplitter {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKSplitter)

public:
    explicit CKSplitter(QWidget* parent = nullptr, int id = 59648);

    int GetDlgCtrlID() const { return m_id; }

    // Puts `dialog` in pane (row, column) when that pane is empty (column = the pane count or
    // less). Returns false when the pane is taken or the position is invalid.
    bool CreateDlg(int row, int column, CKDialog* dialog);
    // Puts `dialog` in pane (row, column) in place of the dialog there, which keeps nothing of
    // it: the old dialog's window is destroyed (CKDialog::DestroyWindow, so it deletes itself
    // when it may). The new pane keeps the old one's size. An empty pane is filled as by
    // CreateDlg. Returns false for an invalid position or a null dialog.
    bool ReplaceDlg(int row, int column, CKDialog* dialog);
    // Shows or hides a pane. False when there is no such pane.
    bool ShowPane(int row, int column, bool show);
    // The dialog in a pane, nullptr when none.
    CKDialog* GetPane(int row, int column) const;
    int PaneCount() const;

protected:
    void childEvent(QChildEvent* event) override;

private:
    void TakeOutOfPanes(CKDialog* dialog);

    int m_id;
};

}  // namespace kelo
