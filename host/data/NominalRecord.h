#pragma once

#include "host/data/Field.h"

namespace kelo {

// Nominal account record (file 10, index 15 by code). Bytes not named here (to 256) are reserved.
inline constexpr uint32_t kNominalLength = 256;

inline constexpr Field kNominalCode{"code", 0, 9, FieldType::Text};
inline constexpr Field kNominalName{"name", 9, 61, FieldType::Text};
// 2 = the nominal account of a bank account, which bills may not be charged to.
inline constexpr Field kNominalAccountKind{"account_kind", 91, 1, FieldType::U8};

// Debits positive, credits negative; moved by every posting (TransactionPost).
inline constexpr Field kNominalBalance{"balance", 100, 8, FieldType::F64};

inline constexpr uint8_t kNominalKindBank = 2;

extern const Layout kNominalLayout;

}  // namespace kelo
