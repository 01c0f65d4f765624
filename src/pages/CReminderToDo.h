#pragma once

#include "src/pages/CReminderPage.h"

namespace kelo {

// The To Do page: the logged-on user's entries by category (Current, Overdue, Completed), and
// Delete of the selected entry. New and Open belong to the To Do Entry dialog.
class CReminderToDo final : public CReminderPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CReminderToDo)

public:
    static constexpr int kDialogId = 103;
    static constexpr int kListId = 1003;
    static constexpr int kContextMenuId = 111;
    static constexpr int kDeleteQuestion = 61226;

    CReminderToDo(TaskServices& services, QWidget* parent, CKTreeView* tree);

    // New always; Open and Delete while the list has rows; Clear To Do Entries.
    void UpdateCommandMenu(QMenu* menu) override;
    void FillList() override;
    bool OnCommand(int id) override;

    // Asks, then removes the selected entry's key and overwrites its record with 0xFF bytes.
    // Returns true when an entry was deleted.
    bool DeleteSelected();

protected:
    bool OnInitDialog() override;
};

}  // namespace kelo
