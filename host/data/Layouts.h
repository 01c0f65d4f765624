#pragma once

// The registry of every record and key layout, for the tools that dump, import and check records
// by field name and for the data-format document.

#include <span>
#include <string_view>

#include "host/data/Field.h"

namespace kelo {

// Every layout, record layouts first, then the index keys.
std::span<const Layout* const> AllLayouts();

// nullptr when no layout has that name.
const Layout* FindLayout(std::string_view name);

}  // namespace kelo
