#pragma once

#include <cstdint>

#include "src/pages/scans/AccountDetails.h"
#include "src/viewers/CLedgerViewer.h"

class QLabel;
class QWidget;

namespace kelo {

class DataContext;

// "Account Details": one customer or supplier account with its aged analysis, opened from the
// Account Status page for its selected row.
class CAccountProperties final : public CLedgerViewer {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAccountProperties)

public:
    // Our number for the dialog (and its help topic); the host leaves it open.
    static constexpr int kDialogId = 242;

    CAccountProperties(CReminderPage* page, DataContext& context, uint32_t recNo, int ledger,
                       TaskServices& services);

    // Rereads the account and recomputes the aged analysis on the program date.
    void LoadAccount();

    uint32_t RecordNumber() const { return m_recNo; }
    int Ledger() const { return m_ledger; }
    const AccountDetails& Details() const { return m_details; }
    QLabel* NoFiguresLabel() const { return m_noFigures; }

protected:
    bool OnInitDialog() override;
    void TakeRow(std::span<const uint8_t> row) override;
    void Dial() override;

private:
    DataContext& m_context;
    uint32_t m_recNo;
    int m_ledger;
    AccountDetails m_details;
    QLabel* m_noFigures = nullptr;
    QWidget* m_agedGroup = nullptr;
};

}  // namespace kelo
