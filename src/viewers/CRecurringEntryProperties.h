#pragma once

#include <cstdint>

#include "src/pages/scans/RecurringDetails.h"
#include "src/viewers/CLedgerViewer.h"

class QCheckBox;
class QFormLayout;
class QLabel;

namespace kelo {

class DataContext;

// "Recurring Entry Properties": one recurring entry read-only, with its accounts, frequency,
// projected finish date and amounts, opened from the Recurring Items page for its selected row.
// Steps through the page's list like the other viewers; writes nothing.
class CRecurringEntryProperties final : public CLedgerViewer {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CRecurringEntryProperties)

public:
    static constexpr int kDialogId = 126;

    CRecurringEntryProperties(CReminderPage* page, DataContext& context, uint32_t recordNumber,
                              TaskServices& services);

    // Rereads the current entry and shows it; a finish date past 31/12/9999 is reported once.
    void LoadEntry();

    uint32_t RecordNumber() const { return m_recordNumber; }
    const RecurringDetails& Details() const { return m_details; }
    QCheckBox* Suspend() const { return m_suspend; }
    // A label by its object name ("first_label", "second_label", "bacs", "amount_label").
    QLabel* Label(const char* name) const;
    // Whether the form row of field `name` is shown (it may be hidden by kind).
    bool IsRowShown(const char* name) const;

protected:
    bool OnInitDialog() override;
    void TakeRow(std::span<const uint8_t> row) override;
    void Dial() override {}

private:
    void ShowLabels();

    DataContext& m_context;
    uint32_t m_recordNumber;
    RecurringDetails m_details;
    QFormLayout* m_accounts = nullptr;
    QFormLayout* m_entry = nullptr;
    QFormLayout* m_amounts = nullptr;
    QCheckBox* m_suspend = nullptr;
};

}  // namespace kelo
