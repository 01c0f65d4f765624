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
class DataContext;

// The Recurring Items page without its window: the host's recurring entries by kind, each with
// its frequency and next posting.
inline constexpr int kRecurringCommand = 32605;

// Category bits. "Payments" comes first in the tree although its bit is 2.
inline constexpr uint32_t kRecurringReceipts = 1;
inline constexpr uint32_t kRecurringPayments = 2;
inline constexpr uint32_t kRecurringDebits = 4;
inline constexpr uint32_t kRecurringCredits = 8;
inline constexpr uint32_t kRecurringTransfers = 16;
inline constexpr uint32_t kRecurringCustomerSAs = 32;
inline constexpr uint32_t kRecurringSupplierPAs = 64;

// Columns of the 120-byte row.
enum class RecurringColumn { Type, Reference, Details, Amount, Frequency, NextPosting, PostsMade,
                             RecordNumber, Count };

// The seven categories in tree order, for every user (the page makes no access check).
std::vector<TaskCategory> RecurringCategories(const std::string& user, const CBAccessManager& access);
const CKColumnSet& RecurringColumns();
// The page's columns followed by "Finish Date", as kelo-tasks prints them.
const CKColumnSet& RecurringToolColumns();

// The category bit of an entry kind; 0 for a kind outside 0-6 (never listed).
uint32_t RecurringCategoryOf(int kind);
// The host transaction type code of an entry kind, by the kind of its bank account (1 bank,
// 2 cash, 4 credit card; anything else counts as a bank); 0 for a transfer or an unknown kind.
int RecurringTypeCode(int kind, int bankKind);
// The kind byte of the bank account `code` (0 when there is no such account), read in the
// caller's bracket.
int RecurringBankKind(DataContext& context, const std::string& code);

// The fill: every record 1..RecCount of the recurring entry file, in record order, a bank
// transfer as two rows (JD then JC). Neither yields nor reads the program date.
void ScanRecurring(const ScanInput& input, ScanSink& sink);
// The same rows widened with the projected finish date (RecurringToolColumns).
void ScanRecurringWithFinish(const ScanInput& input, ScanSink& sink);

// The entry's record number of a Recurring Items row.
uint32_t RecurringRowRecord(std::span<const uint8_t> row);

const TaskScan& RecurringTaskScan();

}  // namespace kelo
