#pragma once

#include <cstdint>
#include <string>

#include "host/file/DataContext.h"

namespace kelo {

// The host's own way of making a phone call reminder: a To Do record marked by its Type
// ("Phone call reminder."), carrying the account's ledger (256 customers, 257 suppliers) and
// code, filed under `user` by its date due. Writes the record, its index key and no notes in one
// save bracket of its own and returns the new record number. Throws FileError on a fault of the
// data layer, std::invalid_argument for another ledger or an empty code. UI thread only.
uint32_t AddPhoneCallReminder(DataContext& context, const std::string& user, int ledger,
                              const std::string& accountCode, uint16_t dateDue,
                              const std::string& description);

}  // namespace kelo
