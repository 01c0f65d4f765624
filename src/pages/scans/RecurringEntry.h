#pragma once

#include <cstdint>
#include <string>

#include "src/pages/scans/RecurringDateStep.h"

namespace kelo {

// Entry kinds of the recurring entry file.
inline constexpr int kRecurringPayment = 0;
inline constexpr int kRecurringReceipt = 1;
inline constexpr int kRecurringTransfer = 2;
inline constexpr int kRecurringCustomerOnAccount = 3;
inline constexpr int kRecurringJournalDebit = 4;
inline constexpr int kRecurringJournalCredit = 5;
inline constexpr int kRecurringSupplierOnAccount = 6;

// The projected finish of a recurring entry, as the properties viewer shows it.
struct RecurringFinish {
    enum class Kind { Empty, Perpetual, Finished, Date, Infinite };

    Kind kind = Kind::Empty;
    std::chrono::year_month_day date{};

    // "", "Perpetual", "Finished", dd/mm/yyyy or "Infinite".
    std::string Text() const;
};

// One recurring entry as read from its record, texts trimmed.
struct RecurringEntry {
    int kind = 0;
    std::string secondAccount;
    std::string bankCode;
    std::string reference;
    std::string details;
    bool suspended = false;
    double net = 0;
    double tax = 0;
    uint16_t lastPosted = 0;
    int department = 0;
    int taxCode = 0;
    int interval = 0;
    int unit = 0;
    uint16_t start = 0;
    int totalPostings = 0;
    int postingsMade = 0;

    static RecurringEntry Of(const uint8_t* record);

    // "Day(s)", "Week(s)" or "Month(s)"; empty for any other unit.
    std::string UnitText() const;
    // The interval, a space and the unit text ("2 Week(s)"); empty for any other unit.
    std::string FrequencyText() const;
    // True once every required posting is made (a perpetual entry never finishes).
    bool IsFinished() const;
    // "Suspended", "Finished", the next posting as dd/mm/yyyy, or empty (no start date, a unit
    // that is none of the three, or a next posting past 31/12/9999).
    std::string NextPostingText() const;
    // The day of the last of the required postings.
    RecurringFinish ProjectedFinish() const;
};

// The message the viewer shows for a finish date past 31/12/9999.
extern const char* const kRecurringTooFarMessage;

}  // namespace kelo
