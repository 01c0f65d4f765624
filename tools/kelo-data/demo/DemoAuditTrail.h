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
    uint32_t chain = 0;  // FirstHeader(chain) once posted; 0 = no transactions
};

// Makes the audit trail: per account a chain of headers (invoices, credit notes, payments and
// payments on account) in date order, each with its splits, the splits' allocations and a
// transaction-number index entry per split; and the bank, cash, card and journal postings.
// Post() writes them all in date order across accounts, as a business posts them, so each
// account's chain is spread through the file. The transaction number of a header is its
// record number.
class DemoAuditTrail final {
public:
    explicit DemoAuditTrail(DemoBuilder& b);

    TrailResult AccountTrail(const TrailPlan& plan);
    void BankPostings(int count);
    void Post();
    // The first header of an account's chain; valid after Post().
    uint32_t FirstHeader(uint32_t chain) const { return chain ? m_firstHeader[chain] : 0; }

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
        uint32_t chain = 0;  // the account's chain; 0 = none
        uint32_t seq = 0;    // order made in
        std::vector<Line> lines;
    };

private:
    Transaction invoice(const TrailPlan& plan, uint16_t date);
    void settle(const TrailPlan& plan, Transaction& inv, std::vector<Transaction>& out);
    void queue(std::vector<Transaction>& txs, uint32_t chain);
    void write(const Transaction& t, uint32_t header, uint32_t next);

    DemoBuilder& m_b;
    uint32_t m_headers = 0, m_splits = 0, m_allocations = 0;
    uint32_t m_salesNumber = 10000, m_purchaseNumber = 0, m_chequeNumber = 100200;
    Record m_header, m_split, m_allocation;
    std::vector<Transaction> m_queued;
    std::vector<uint32_t> m_firstHeader{0};
};

}  // namespace kelo::demo
