#pragma once

#include <cstdint>
#include <string>

#include "src/pages/scans/AgedAnalysis.h"

namespace kelo {

class DataContext;

// What the Account Details viewer shows for one account: its fields and its aged analysis on
// the program date (aging date and cut-off both).
struct AccountDetails {
    bool found = false;     // false: no such record; every field empty, the aged values 0
    std::string reference;  // as stored
    std::string name;       // the rest trimmed
    std::string contact;
    std::string telephone;
    AgedValues aged{};

    // Reads account `recNo` of `ledger` (customers 256, suppliers 257; anything else reads the
    // customers and ages nothing) in a read bracket of its own.
    static AccountDetails Load(DataContext& context, uint32_t recNo, int ledger,
                               const AgingSettings& settings, uint16_t programDate);
};

// "%.2f" of a money value after NormaliseZero, as the viewers show amounts.
std::string FormatViewerAmount(double value);

}  // namespace kelo
