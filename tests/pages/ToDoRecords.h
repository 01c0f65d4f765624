#pragma once

#include <cstdint>
#include <string>

namespace kelo {
class DataContext;
}

namespace kelo::test {

// Writes a To Do entry (or a phone call reminder, by its Type) with its index key, as the
// entry dialog saves one; returns its record number.
uint32_t AddToDo(DataContext& context, const std::string& description, const std::string& type,
                 const std::string& delegateTo, uint16_t dateDue, bool completed = false);

// Whether the To Do index holds the key of (delegateTo, dateDue, recNo).
bool HasToDoKey(DataContext& context, const std::string& delegateTo, uint16_t dateDue,
                uint32_t recNo);

}  // namespace kelo::test
