#pragma once

#include <cstdint>

#include <QString>

namespace kelo {

// One candidate of an auto-complete list.
struct CIntelliEntry {
    // Tab-separated columns; the first column is what goes into the field.
    QString text;
    // Kept with the list row (a search provider puts the account's record number here).
    uint32_t data = 0;
    // The text a search entry matched on (up to 255 characters); empty in a history.
    QString keyText;
};

}  // namespace kelo
