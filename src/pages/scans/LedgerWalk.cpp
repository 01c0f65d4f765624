#include "src/pages/scans/LedgerWalk.h"

#include "host/file/RecordFile.h"
#include "host/data/AccountRecord.h"
#include "host/data/FileMap.h"

namespace kelo {

LedgerFiles LedgerFilesOf(int ledger)
{
    if (ledger == kLedgerPurchases) return {kFileSuppliers, kFileSupplierIndex};
    return {kFileCustomers, kFileCustomerIndex};
}

LedgerWalk::LedgerWalk(DataContext& context, int ledger)
    : m_account(kAccountLength, 0)
{
    const LedgerFiles files = LedgerFilesOf(ledger);
    m_data = context.File(files.data);
    m_index = context.File(files.index);
}

uint32_t LedgerWalk::First()
{
    m_key.fill(0);
    return SearchRecord(m_data, m_index, m_key.data(), m_account.data(), 0);
}

uint32_t LedgerWalk::Next()
{
    for (;;) {
        const uint32_t recno = NextRecord(m_data, m_index, m_key.data(), m_account.data(), 0);
        if (recno == 0 || !IsDeletedAccount(m_account.data())) return recno;
    }
}

}  // namespace kelo
