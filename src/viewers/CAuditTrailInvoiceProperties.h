#pragma once

#include <cstdint>

#include "src/pages/scans/TransactionDetails.h"
#include "src/viewers/CLedgerViewer.h"

namespace kelo {

class DataContext;

// "Transaction Details": one invoice of the audit trail with its account, opened from the
// Accounts Due page for its selected row.
class CAuditTrailInvoiceProperties final : public CLedgerViewer {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAuditTrailInvoiceProperties)

public:
    // Our number for the dialog (and its help topic); the host leaves it open.
    static constexpr int kDialogId = 243;

    CAuditTrailInvoiceProperties(CReminderPage* page, DataContext& context,
                                 uint32_t transactionNumber, TaskServices& services);

    // Rereads split, header and account of the current transaction number.
    void LoadTransaction();

    uint32_t TransactionNumber() const { return m_number; }
    const TransactionDetails& Details() const { return m_details; }

protected:
    bool OnInitDialog() override;
    void TakeRow(std::span<const uint8_t> row) override;
    void Dial() override;

private:
    DataContext& m_context;
    uint32_t m_number;
    TransactionDetails m_details;
};

}  // namespace kelo
