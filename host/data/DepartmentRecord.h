#pragma once

#include "host/data/Field.h"

namespace kelo {

// Department record (file 54): record n is department number n (CBDep). Bytes not named here
// (to 96) are reserved.
inline constexpr uint32_t kDepartmentLength = 96;

// The department's own short reference (CBDep::GetUserRefn).
inline constexpr Field kDepartmentUserReference{"user_reference", 0, 9, FieldType::Text};
inline constexpr Field kDepartmentName{"name", 9, 61, FieldType::Text};

extern const Layout kDepartmentLayout;

}  // namespace kelo
