#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "src/pages/scans/TaskScan.h"

namespace kelo {

class CBAccessManager;
class CKColumnSet;
class DataContext;

// The Contacts list: the logged-on user's phone call reminders, in the order of the To Do index
// (by date due), To Do entries left to the To Do page.

// Category bits of the Contacts tree.
inline constexpr uint32_t kContactsToday = 1;
inline constexpr uint32_t kContactsOverdue = 2;
inline constexpr uint32_t kContactsCompleted = 4;
inline constexpr uint32_t kContactsFuture = 8;

// Columns of the list row (column set 2351), in row order.
enum ContactsColumn : int {
    kContactsColAccount,       // account code
    kContactsColName,          // account name, or "** Deleted Account **"
    kContactsColDescription,   // untitled, shown
    kContactsColDateDue,       // dd/mm/yyyy
    kContactsColTelephone,
    kContactsColType,          // untitled, shown
    kContactsColCompleted,     // "Yes" / "No"
    kContactsColDelegateTo,    // space-padded to 32
    kContactsColReserved,
    kContactsColLedgerType,    // 0 in rows the page builds; set by the dialog
    kContactsColRecordNumber,
    kContactsColCategory,
    kContactsColNotesBlock,
};

// The name shown for a reminder whose account is no longer in the ledger.
inline constexpr const char* kDeletedAccountName = "** Deleted Account **";

// "Overdue Contacts" 2, "Today's Contacts" 1, "Future Contacts" 8, "Completed Contacts" 4.
std::vector<TaskCategory> ContactsCategories(const std::string& user,
                                             const CBAccessManager& access);
// The 292-byte row.
const CKColumnSet& ContactsColumns();

// Completed (completed word non-zero), else Future after the program date, Today's on it,
// Overdue before it.
uint32_t ContactsCategoryOf(uint16_t dateDue, uint16_t completed, uint16_t programDate);

// The account of a reminder: found by its ledger type (256 customers, 257 suppliers) and code,
// or the stored code with "** Deleted Account **" and no contact or telephone.
struct ReminderAccount {
    std::string code, name, contact, telephone;
    bool found = false;
};
ReminderAccount LookUpReminderAccount(DataContext& context, int ledgerType,
                                      const std::string& code);

// The list row of a stored reminder (record `recNo`) with its category; the ledger type field
// stays 0. Reads the account through `context` (inside the caller's bracket).
std::vector<uint8_t> BuildContactRow(DataContext& context, const uint8_t* rec, uint32_t recNo,
                                     uint32_t category);

// True when a To Do record is a phone call reminder of `user` (ledger type set, Delegate To
// equal ignoring case, Type exactly "Phone call reminder.").
bool IsReminderOf(const uint8_t* rec, const std::string& user);

// The reminders of input.userName in input.category, in key order, from the user's first key to
// the end of the index. Throws FileError on a fault of the data layer.
void ScanContacts(const ScanInput& input, ScanSink& sink);

// The registry entry of the Contacts page.
const TaskScan& ContactsTaskScan();

}  // namespace kelo
