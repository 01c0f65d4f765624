#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "src/pages/scans/TaskScan.h"

namespace kelo {

class CBAccessManager;
class CKColumnSet;

// The To Do list: the logged-on user's entries in the order of the To Do index (by date due),
// phone call reminders left to the Contacts page.

// Category bits of the To Do tree.
inline constexpr uint32_t kToDoCurrent = 1;
inline constexpr uint32_t kToDoOverdue = 2;
inline constexpr uint32_t kToDoCompletedBit = 4;

// The Type that marks a phone call reminder in the shared To Do files.
inline constexpr const char* kPhoneCallReminderType = "Phone call reminder.";

// Columns of the list row (column set 1003), in row order.
enum ToDoColumn : int {
    kToDoColName,         // Description
    kToDoColDateDue,      // dd/mm/yyyy
    kToDoColType,
    kToDoColCompleted,    // "Yes" / "No"
    kToDoColDelegateTo,   // space-padded to 32
    kToDoColReserved,
    kToDoColRecordNumber,
    kToDoColCategory,
    kToDoColNotesBlock,
};

// "Current Tasks" 1, "Overdue Tasks" 2, "Completed Tasks" 4, for every user.
std::vector<TaskCategory> ToDoCategories(const std::string& user, const CBAccessManager& access);
// The 187-byte row: "Name", "Date Due", "Type" shown, the rest hidden.
const CKColumnSet& ToDoColumns();

// Completed (any non-zero completed word), else Overdue when due before the program date, else
// Current (due today or later).
uint32_t ToDoCategoryOf(uint16_t dateDue, uint16_t completed, uint16_t programDate);

// The list row of a stored entry (record `recNo`), with its category bit.
std::vector<uint8_t> BuildToDoRow(const uint8_t* rec, uint32_t recNo, uint32_t category);

// The entries of input.userName in input.category, in key order; stops when the sink says so.
// Throws FileError on a fault of the data layer.
void ScanToDo(const ScanInput& input, ScanSink& sink);

// The registry entry of the To Do page.
const TaskScan& ToDoTaskScan();

}  // namespace kelo
