#pragma once

#include <functional>
#include <string>

namespace kelo {
class DataContext;
}

namespace kelo::tool {

// Checks that every transaction of the audit trail is whole, as TransactionPost and the demo
// write them: the header's splits chain back to it and carry one transaction number, which no
// other header uses and whose index entry points at the first split; the splits add up to the
// header's net and tax; no split is left outside a transaction. And that the balances agree:
// each bank account with its nominal account, and the nominal ledger as a whole with itself
// (its balances sum to zero, since every posting debits what it credits).
class PostingChecker final {
public:
    using Report = std::function<void(const std::string&)>;

    PostingChecker(DataContext& ctx, Report report) : m_ctx(ctx), m_report(std::move(report)) {}
    // Reports each problem found; returns how many there were.
    int Run();

private:
    void CheckTransactions();
    void CheckBalances();
    void Problem(const std::string& text);

    DataContext& m_ctx;
    Report m_report;
    int m_problems = 0;
};

}  // namespace kelo::tool
