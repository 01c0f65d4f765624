#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "host/data/IndexKeys.h"

namespace kelo {

class DataContext;
struct datafilemap;

// The account files of a ledger: sales (256) customers 8 through index 13, purchases (257)
// suppliers 9 through 14. Any other ledger code is taken as sales.
struct LedgerFiles {
    int data;
    int index;
};
LedgerFiles LedgerFilesOf(int ledger);

// Walks one ledger's accounts in index order, the way both ledger pages do: the first account
// from a search with an all-zero key, then NextRecord, passing over accounts whose name starts
// with 0xFF. The first account is not tested for 0xFF (the pages never did). Runs in the
// caller's data-resource bracket; `context` is the bracket's.
class LedgerWalk final {
public:
    LedgerWalk(DataContext& context, int ledger);

    // The first account's record number, 0 when the ledger has none.
    uint32_t First();
    // The next account not marked deleted, 0 at the end.
    uint32_t Next();
    // The current account record (valid after First/Next returned non-zero).
    const uint8_t* Account() const { return m_account.data(); }

private:
    datafilemap* m_data;
    datafilemap* m_index;
    AccountKey m_key{};
    std::vector<uint8_t> m_account;
};

}  // namespace kelo
