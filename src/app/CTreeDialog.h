#pragma once

#include "host/ui/CKDialog.h"

namespace kelo {

class CKTreeView;
class CReminderDialog;

// The splitter's left pane: the category tree the current page fills. A selection change made
// by the user goes to the owner, which hands it to the active page.
class CTreeDialog final : public CKDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTreeDialog)

public:
    static constexpr int kDialogId = 127;
    static constexpr int kTreeId = 1042;

    CTreeDialog(QWidget* parent, CReminderDialog& owner);

    CKTreeView* GetTree() const { return m_tree; }
    // The tree's selection changed to `item` (as the tree reports it with its id and code 0).
    void OnTreeSelChanged(int item);

private:
    CKTreeView* m_tree;
    CReminderDialog& m_owner;
};

}  // namespace kelo
