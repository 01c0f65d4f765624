#include "host/data/ToDoRecord.h"

#include <algorithm>

#include "host/util/Dates.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {
    kToDoDescription, kToDoType,       kToDoDelegateTo, kToDoAccountCode, kToDoDateDue,
    kToDoCompleted,   kToDoLedgerType, kToDoReserved,   kToDoNotesBlock,
};

constexpr Field kKeyFields[] = {kToDoKeyDelegateTo, kToDoKeyDateDue, kToDoKeyTerminator,
                                kToDoKeyRecordNumber};

// Fills dest[0..width) with text cut to width, then `pad`.
void Put(uint8_t* dest, uint32_t width, std::string_view text, char pad)
{
    const size_t n = std::min<size_t>(width, text.size());
    std::copy_n(text.data(), n, dest);
    std::fill(dest + n, dest + width, static_cast<uint8_t>(pad));
}

uint8_t Upper(uint8_t c) { return (c >= 'a' && c <= 'z') ? static_cast<uint8_t>(c - 32) : c; }

}  // namespace

const Layout kToDoLayout{"todo", kToDoLength, kFields};
const Layout kToDoKeyLayout{"todo_key", kToDoKeyLength, kKeyFields};

bool IsDeletedToDo(const uint8_t* rec) { return rec[0] == 0xFF; }

ToDoKey BuildToDoKey(std::string_view delegateTo, std::string_view dateYYYYMMDD, uint32_t recNo)
{
    ToDoKey key{};
    // A name ends at its terminator, as when it is read from a record.
    delegateTo = delegateTo.substr(0, delegateTo.find('\0'));
    Put(key.data() + kToDoKeyDelegateTo.offset, kToDoKeyDelegateTo.width, delegateTo, ' ');
    Put(key.data() + kToDoKeyDateDue.offset, kToDoKeyDateDue.width, dateYYYYMMDD, '0');
    SetU8(key.data(), kToDoKeyTerminator, 0);
    for (uint32_t i = 0; i < kToDoKeyTerminator.offset; ++i) key[i] = Upper(key[i]);
    SetU32(key.data(), kToDoKeyRecordNumber, recNo);
    return key;
}

ToDoKey BuildToDoKey(std::string_view delegateTo, uint16_t dateDue, uint32_t recNo)
{
    return BuildToDoKey(delegateTo, DateYYYYMMDDFromNumber(dateDue), recNo);
}

ToDoKey BuildToDoKeyOfRecord(const uint8_t* rec, uint32_t recNo)
{
    return BuildToDoKey(GetRawText(rec, kToDoDelegateTo), GetU16(rec, kToDoDateDue), recNo);
}

}  // namespace kelo
