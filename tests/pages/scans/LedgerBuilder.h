#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/data/Field.h"
#include "host/file/DataContext.h"

namespace kelo::test {

// Writes small ledgers through the record API: accounts with their index entries, header chains
// with their first splits, allocations and transaction numbers. Record numbers are given out in
// order, 1 up, per file; every builder call returns the number it wrote.
class LedgerBuilder {
public:
    struct Account {
        std::string code;
        std::string name = "Account";
        int16_t creditPeriod = 30;
        int16_t settlementPeriod = 0;
        double balance = 0;
        double creditLimit = 0;
        uint8_t onHold = 0;
        std::string contact = {};
        std::string telephone = {};
        uint16_t bacs = 0;
    };
    struct Header {
        uint8_t type = 1;
        std::string account;
        std::string reference = "REF";
        std::string details = "Details";
        uint16_t date = 0;
        double net = 0;
        double tax = 0;
        double paid = 0;
        uint16_t exclusion = 0;
        uint16_t ageAsCurrent = 0;
        uint32_t transaction = 0;  // 0: one more than the last given
    };

    explicit LedgerBuilder(DataContext& context) : m_ctx(context) {}

    // The account, indexed by its code in ledger 256 or 257.
    uint32_t AddAccount(int ledger, const Account& account);
    // Appends a header (with one split carrying the transaction number, indexed in file 108) to
    // the end of the chain of account `accountRecNo` of `ledger`.
    uint32_t AddHeader(int ledger, uint32_t accountRecNo, const Header& header);
    // An allocation against the transaction's first split, appended to that split's chain.
    uint32_t AddAllocation(uint32_t headerRecNo, uint16_t date, double amount);

    // Raw pokes for damaged data: a link field of record `recNo` of `file` set to `value`.
    void Poke(int file, uint32_t recNo, const Field& field, uint32_t value);
    void MarkDeleted(int ledger, uint32_t accountRecNo);
    uint32_t FirstSplitOf(uint32_t headerRecNo);

private:
    std::vector<uint8_t> Read(int file, uint32_t recNo);
    void Write(int file, uint32_t recNo, const std::vector<uint8_t>& rec);
    // Links record `recNo` of `file` at the end of the chain that starts at `first` of record
    // `owner` of `ownerFile` and runs through `next`.
    void Append(int ownerFile, uint32_t owner, const Field& first, int file, const Field& next,
                uint32_t recNo);

    DataContext& m_ctx;
    uint32_t m_lastTransaction = 0;
};

}  // namespace kelo::test
