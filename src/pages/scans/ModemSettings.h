#pragma once

#include <string>

namespace kelo {

// The modem settings the Transaction Details viewer dials with, read at each dial from the
// program-wide settings file (GetINI(0)), section "Modem"; a missing key takes its default.
struct ModemSettings {
    std::string dialType = "ATDT";  // "DialType": the dial command prefix
    std::string modem = "COM1";     // "Modem": the modem's port
    int delay = 30;                 // "Delay"

    static ModemSettings Read();
};

}  // namespace kelo
