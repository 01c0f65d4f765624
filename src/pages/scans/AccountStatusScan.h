#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "src/pages/scans/ScanSink.h"
#include "src/pages/scans/TaskScan.h"

namespace kelo {

class CBAccessManager;
class CKColumnSet;

// The Account Status page without its window: accounts over their limit, on hold, inactive,
// credit chargeable or beyond their credit review.
inline constexpr int kAccountStatusCommand = 32603;

// Category bits; above 16 the purchase ledger.
inline constexpr uint32_t kSalesOverCreditLimit = 1;
inline constexpr uint32_t kSalesOnHold = 2;
inline constexpr uint32_t kSalesInactive = 4;
inline constexpr uint32_t kSalesCreditChargeable = 8;
inline constexpr uint32_t kSalesBeyondCreditReview = 16;
inline constexpr uint32_t kPurchaseOverCreditLimit = 32;
inline constexpr uint32_t kPurchaseOnHold = 64;
inline constexpr uint32_t kPurchaseInactive = 128;
inline constexpr uint32_t kPurchaseBeyondCreditReview = 256;

// An account is inactive when its last activity is more than this many days back.
inline constexpr int32_t kInactiveDays = 90;

// Columns of the 86-byte row: A/C, Name, Balance, hidden category bits, hidden record number.
enum class AccountStatusColumn { Account, Name, Balance, Bits, RecordNumber, Count };

// The stored values the classification compares, as stored (nothing rounded).
struct AccountState {
    double balance = 0;
    double creditLimit = 0;
    uint8_t onHold = 0;
    uint16_t lastActivity = 0;  // date number, 0 = none
    uint16_t creditCharges = 0;
    uint16_t creditReview = 0;  // date number, 0 = none
};
AccountState AccountStateOf(const uint8_t* accountRecord);

// Tree order. Sales need module 0, purchases module 4 (the supervisor needs neither).
std::vector<TaskCategory> AccountStatusCategories(const std::string& user,
                                                  const CBAccessManager& access);
const CKColumnSet& AccountStatusColumns();

// Category bits of one account of `ledger` (256 or 257) on the program date.
uint32_t ClassifyAccount(int ledger, const AccountState& account, uint16_t programDate);

// The ledger a category value scans: purchases above 16, else sales.
int AccountStatusLedgerOf(uint32_t category);
// The ledger Properties opens with: sales for the five sales bits, purchases for the four
// purchase bits, 0 for any other value ("Ledger Not defined").
int AccountStatusPropertiesLedger(uint32_t category);

// The fill: one ledger by the category value, accounts in index order; yields after every
// account and stops once the sink says so.
void ScanAccountStatus(const ScanInput& input, ScanSink& sink);

// The account record number of an Account Status row.
uint32_t AccountStatusRowRecord(std::span<const uint8_t> row);

// The registry entry of the Account Status page.
const TaskScan& AccountStatusTaskScan();

}  // namespace kelo
