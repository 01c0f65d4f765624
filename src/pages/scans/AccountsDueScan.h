#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "src/pages/scans/ScanSink.h"
#include "src/pages/scans/TaskScan.h"

namespace kelo {

class CBAccessManager;
class CKColumnSet;

// The Accounts Due page without its window: sales and purchase invoices with an amount
// outstanding, by overdue, due and within settlement.
inline constexpr int kAccountsDueCommand = 32604;

// Category bits.
inline constexpr uint32_t kSalesOverdue = 1;
inline constexpr uint32_t kSalesDue = 2;
inline constexpr uint32_t kSalesWithinSettlement = 4;
inline constexpr uint32_t kPurchasesOverdue = 8;
inline constexpr uint32_t kPurchasesDue = 16;
inline constexpr uint32_t kPurchasesWithinSettlement = 32;

// Columns of the 128-byte row: No, A/C, Date, Ref, Details, Amount, hidden category bits.
enum class AccountsDueColumn { No, Account, Date, Ref, Details, Amount, Bits, Count };

// Tree order. Sales need module 0, purchases module 4 (the supervisor needs neither).
std::vector<TaskCategory> AccountsDueCategories(const std::string& user,
                                                const CBAccessManager& access);
const CKColumnSet& AccountsDueColumns();

// What an invoice still owes: tax + net, then - paid, rounded to 2 places.
double InvoiceOutstanding(double net, double tax, double paid);

// Category bits of one invoice of `ledger` (256 or 257); 0 when the outstanding amount is not
// positive. Age = program date - invoice date in days (negative for a later invoice).
uint32_t ClassifyInvoice(int ledger, double outstanding, uint16_t invoiceDate, uint16_t programDate,
                         int16_t creditPeriod, int16_t settlementPeriod);

// The fill: the ledgers, sales first, following every account's header chain; adds the rows
// whose bits share one with input.category. A ledger with no bit in the category is not walked
// (none of its rows could be added). Yields
// after every header and every account; stops once the sink says so. A damaged chain (a loop, a
// number past the file) ends that chain only.
void ScanAccountsDue(const ScanInput& input, ScanSink& sink);

// The transaction number of an Accounts Due row (its first field).
uint32_t AccountsDueRowTransaction(std::span<const uint8_t> row);

// The registry entry of the Accounts Due page.
const TaskScan& AccountsDueTaskScan();

}  // namespace kelo
