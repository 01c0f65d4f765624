#pragma once

#include <cstdint>
#include <vector>

#include "src/pages/CReminderPage.h"

namespace kelo {

// The Contacts page: the logged-on user's phone call reminders by when they are due (Overdue,
// Today's, Future, Completed). Open (also a double click or Enter on a row) runs the Phone Call
// Reminder dialog; Delete removes the selected reminder. New is never offered.
class CReminderContacts final : public CReminderPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CReminderContacts)

public:
    static constexpr int kDialogId = 133;
    static constexpr int kListId = 2351;
    static constexpr int kContextMenuId = 124;
    static constexpr int kDeleteQuestion = 61244;

    CReminderContacts(TaskServices& services, QWidget* parent, CKTreeView* tree);

    // Open and Delete while the list has rows; Clear To Do Entries.
    void UpdateCommandMenu(QMenu* menu) override;
    void FillList() override;
    bool OnCommand(int id) override;
    void OpenSelected() override;
    // Runs the Phone Call Reminder dialog modally for record `recNo`.
    void RunEntryDialog(uint32_t recNo);

    // The list after the dialog saved `row`: the row of its record number leaves when its
    // category changed (and the new row comes in when it belongs to the chosen category), or is
    // replaced when the category stayed.
    void UpdateAfterSave(const std::vector<uint8_t>& row);

    // Asks 61244, then deletes the selected reminder under the write rule. Returns true when it
    // was deleted.
    bool DeleteSelected();

protected:
    bool OnInitDialog() override;
};

}  // namespace kelo
