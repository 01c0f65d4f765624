#pragma once

#include "host/data/Field.h"

namespace kelo {

// User record (file 31, one per user in record order): the logon name and the user's rights as
// CBAccessManager::Check reads them. Bytes not named here (to 256) are reserved.
//
// Rights: module m (0 sales ledger, 2 sales orders, 3 invoicing, 4 purchase ledger, 5 purchase
// orders, 6 stock, 7 bank and recurring entries, 19 company settings, ...) has one access level
// byte: 0 none, 1 read, 2 full. Check(module, level) is true (the user is barred) when the
// module's level is not above `level`. Each module also has a 32-bit mask of barred options
// (bit n = option n); Check(module, option, level) is true when the module check is, or when the
// option's bit is set.
inline constexpr uint32_t kUserLength = 256;
inline constexpr int kUserModuleCount = 32;
inline constexpr int kUserOptionCount = 32;

inline constexpr uint8_t kAccessNone = 0;
inline constexpr uint8_t kAccessRead = 1;
inline constexpr uint8_t kAccessFull = 2;

inline constexpr Field kUserName{"name", 0, 33, FieldType::Text};
// One level byte per module, module 0 first.
inline constexpr Field kUserModuleAccess{"module_access", 64, kUserModuleCount, FieldType::Bytes};
// One little-endian 32-bit barred-option mask per module, module 0 first.
inline constexpr Field kUserOptionBars{"option_bars", 96, 4 * kUserModuleCount, FieldType::Bytes};

// The access level of `module`; kAccessNone for a module outside 0-31.
uint8_t UserModuleAccess(const uint8_t* rec, int module);
void SetUserModuleAccess(uint8_t* rec, int module, uint8_t level);

// True when `option` of `module` is barred; false outside 0-31.
bool UserOptionBarred(const uint8_t* rec, int module, int option);
void SetUserOptionBarred(uint8_t* rec, int module, int option, bool barred);

extern const Layout kUserLayout;

}  // namespace kelo
