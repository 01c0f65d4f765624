#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/kelo-data/demo/DemoBuilder.h"
#include "tools/kelo-data/demo/DemoNames.h"

namespace kelo::demo {

// What an account's history should look like.
struct TrailPlan {
    Trade trade = Trade::Customer;
    std::string code;
    int creditPeriod = 30;
    uint16_t lastDate = 0;       // date of the latest transaction; 0 = no transactions at all
    bool futureInvoice = false;  // one invoice dated after the program date
};

struct TrailResult {
    double balance = 0;
    uint16_t lastActivity = 0;
    uint32_t firstHeader = 0;
};

// Writes the audit trail: per account a chain of headers (invoices, credit notes, payments and
// payments on account) in date order, each with its splits, the splits' allocations and a
// transaction-number index entry per split; and the bank, cash, card and journal postings.
// The transaction number of a header is its record number.
class DemoAuditTrail final {
public:
    explicit DemoAuditTrail(DemoBuilder& b);

    TrailResult AccountTrail(const TrailPlan& plan);
    void BankPostings(int count);

    uint32_t Headers() const { return m_headers; }
    uint32_t Splits() const { return m_splits; }
    uint32_t Allocations() const { return m_allocations; }

    struct Allocation {
        uint16_t date;
        double amount;
    };
    struct Line {
        const char* nominal;
        std::string details;
        double net = 0, tax = 0;
        int taxCode = 1;
        std::vector<Allocation> allocations;
    };
    struct Transaction {
        uint8_t type = 0;
        uint16_t date = 0;
        std::string account, bank, reference, details;
        double net = 0, tax = 0, paid = 0;
        uint16_t exclusion = 0, ageAsCurrent = 0;
        std::vector<Line> lines;
    };

private:
    Transaction invoice(const TrailPlan& plan, uint16_t date);
    void settle(const TrailPlan& plan, Transaction& inv, std::vector<Transaction>& out);
    // Writes the transactions in order; chained = the headers form one account's chain.
    void write(const std::vector<Transaction>& txs, bool chained);

    DemoBuilder& m_b;
    uint32_t m_headers = 0, m_splits = 0, m_allocations = 0;
    uint32_t m_salesNumber = 10000, m_purchaseNumber = 0, m_chequeNumber = 100200;
    Record m_header, m_split, m_allocation;
};

}  // namespace kelo::demo
