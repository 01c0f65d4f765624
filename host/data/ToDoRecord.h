#pragma once

#include <array>
#include <string_view>

#include "host/data/Field.h"

namespace kelo {

// To Do record (file 43, index 44, notes 45); phone call reminders use the same layout and key.
// A deleted record is 233 bytes of 0xFF. Bytes 200-232 are reserved and written as zero.
inline constexpr uint32_t kToDoLength = 233;

inline constexpr Field kToDoDescription{"description", 0, 61, FieldType::Text};
// "Phone call reminder." marks a phone call reminder.
inline constexpr Field kToDoType{"type", 61, 61, FieldType::Text};
// The user the entry belongs to.
inline constexpr Field kToDoDelegateTo{"delegate_to", 122, 33, FieldType::Text};
// Phone call reminders: the account code, padded to 30 characters; all zero in a To Do entry.
inline constexpr Field kToDoAccountCode{"account_code", 155, 31, FieldType::Text};
inline constexpr Field kToDoDateDue{"date_due", 186, 2, FieldType::U16};
// 1 = Task Complete ticked.
inline constexpr Field kToDoCompleted{"completed", 188, 2, FieldType::U16};
// Phone call reminders: 256 customer, 257 supplier; 0 in a To Do entry.
inline constexpr Field kToDoLedgerType{"ledger_type", 190, 2, FieldType::I16};
// Kept as it is when an entry is saved again; 0 in a new entry.
inline constexpr Field kToDoReserved{"reserved_value", 192, 4, FieldType::U32};
// Block of the entry's notes in file 45; -1 = none yet.
inline constexpr Field kToDoNotesBlock{"notes_block", 196, 4, FieldType::I32};

extern const Layout kToDoLayout;

// True when the record is deleted (its first byte 0xFF).
bool IsDeletedToDo(const uint8_t* rec);

// The To Do index key: Delegate To space-padded (or cut) to 32 characters, the date due as eight
// digits YYYYMMDD, a NUL, then the record number (32-bit little-endian). The first 40 bytes are
// upper-cased byte by byte, so entries order by user, then by date due, whatever the case of the
// user name.
inline constexpr uint32_t kToDoKeyLength = 45;
using ToDoKey = std::array<uint8_t, kToDoKeyLength>;

inline constexpr Field kToDoKeyDelegateTo{"delegate_to", 0, 32, FieldType::Bytes};
inline constexpr Field kToDoKeyDateDue{"date_due", 32, 8, FieldType::Bytes};
inline constexpr Field kToDoKeyTerminator{"terminator", 40, 1, FieldType::U8};
inline constexpr Field kToDoKeyRecordNumber{"record_number", 41, 4, FieldType::U32};

extern const Layout kToDoKeyLayout;

// `dateYYYYMMDD` is the text of DateYYYYMMDDFromNumber ("00000000" for no date); a text that is
// not eight characters is cut or padded with '0'.
ToDoKey BuildToDoKey(std::string_view delegateTo, std::string_view dateYYYYMMDD, uint32_t recNo);
// The same from a date number (0 = no date gives "00000000").
ToDoKey BuildToDoKey(std::string_view delegateTo, uint16_t dateDue, uint32_t recNo);
// The key of a stored To Do record: its Delegate To and date due.
ToDoKey BuildToDoKeyOfRecord(const uint8_t* rec, uint32_t recNo);

}  // namespace kelo
