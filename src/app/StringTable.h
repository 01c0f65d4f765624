#pragma once

#include <string>

namespace kelo {

// The module's string table: the texts the user sees, by their string id (61205 ...).
class StringTable final {
public:
    // The text of `id`; empty when the table has no such string.
    static std::string Load(int id);
    static bool Has(int id);
};

}  // namespace kelo
