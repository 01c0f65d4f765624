#pragma once

#include <cstdint>
#include <vector>

#include "src/pages/CReminderPage.h"

namespace kelo {

// The Bills page: the bills of the bill file as Current, Overdue or Paid, in the order they
// were entered. New and Open (also a double click or Enter on a row) run the Bill Record
// dialog; Delete removes an unpaid or fully paid bill by rewriting the bill file; Pay starts the
// payment of a bill that has something outstanding.
class CReminderBills final : public CReminderPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CReminderBills)

public:
    static constexpr int kDialogId = 104;
    static constexpr int kListId = 1006;
    static constexpr int kContextMenuId = 112;
    static constexpr int kNothingToDelete = 61211;
    static constexpr int kPartPaid = 61212;
    static constexpr int kDeleteQuestion = 61213;
    static constexpr int kFullyPaid = 61228;
    // A row whose bill another user changed or moved since the list was filled.
    static constexpr const char* kGoneText =
        "This bill has been changed or deleted by another user. The list will be refreshed.";

    CReminderBills(TaskServices& services, QWidget* parent, CKTreeView* tree);

    // New always; Open, Delete and Pay while the list has rows; Clear Bill Entries.
    void UpdateCommandMenu(QMenu* menu) override;
    void FillList() override;
    bool OnCommand(int id) override;
    // Open: the Bill Record dialog for the selected row; nothing without one.
    void OpenSelected() override;
    // Runs the Bill Record dialog modally for record `recNo` (0: a new bill).
    void RunEntryDialog(uint32_t recNo);

    // Pay: nothing without a selected row; a row with nothing outstanding is refused (61228);
    // otherwise RunPaymentDialog for its bill.
    void PaySelected();
    // The one place the Bill Payment dialog is started, for bill `recNo`.
    void RunPaymentDialog(uint32_t recNo);

    // The list after a dialog saved bill `recNo` (`rec` as written): a new bill is added when
    // it belongs to the chosen category; the row of an existing one (found by its record
    // number) is replaced while its category stays, or leaves the list (and comes back as a new
    // row would) when its category changed.
    void UpdateAfterSave(const std::vector<uint8_t>& rec, uint32_t recNo, bool existed);

    // Refuses with no row (61211) or a part-paid bill (61212), asks (61213), then rewrites the
    // bill file without the bill under the write rule (another user's change is asked about,
    // their delete or renumbering refreshes the list). Returns true when a bill was deleted.
    bool DeleteSelected();

protected:
    bool OnInitDialog() override;

private:    // Removes row `row` of bill `recNo` and lowers the record numbers of the rows after it.
    void RemoveDeletedRow(int row, uint32_t recNo);
};

}  // namespace kelo
