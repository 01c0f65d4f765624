#pragma once

#include <cstdint>
#include <vector>

#include "src/pages/CReminderPage.h"

namespace kelo {

// The To Do page: the logged-on user's entries by category (Current, Overdue, Completed). New,
// Open (also a double click or Enter on a row) run the To Do Entry dialog; Delete removes the
// selected entry.
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
    // Open: the To Do Entry dialog for the selected row; nothing without one.
    void OpenSelected() override;
    // Runs the To Do Entry dialog modally for record `recNo` (0: a new entry).
    void RunEntryDialog(uint32_t recNo);

    // The list after the dialog saved `row`: a new entry is added when it belongs to the chosen
    // category and the logged-on user; an existing one (the selected row) moves out when its
    // category changed (and in again as a new one would), is replaced when it stays in its
    // category with the same user, and goes when it was delegated away.
    void UpdateAfterSave(const std::vector<uint8_t>& row, bool isNew);

    // Asks, then removes the selected entry's key and overwrites its record with 0xFF bytes.
    // Returns true when an entry was deleted.
    bool DeleteSelected();

protected:
    bool OnInitDialog() override;
};

}  // namespace kelo
