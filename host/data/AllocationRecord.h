#pragma once

#include "host/data/Field.h"

namespace kelo {

// Allocation record (file 37): a payment or credit set against a split, chained from the split.
// The host's record is longer than the fields read here; the rest (to 192 bytes) is reserved.
inline constexpr uint32_t kAllocationLength = 192;

inline constexpr Field kAllocationDate{"date", 126, 2, FieldType::U16};
inline constexpr Field kAllocationAmount{"amount", 128, 8, FieldType::F64};
// Next allocation of the same split; 0 ends.
inline constexpr Field kAllocationNext{"next_allocation", 168, 4, FieldType::U32};

extern const Layout kAllocationLayout;

}  // namespace kelo
