#pragma once

#include <chrono>
#include <cstdint>

namespace kelo {

// The outcome of one recurring date step: no date, a calendar date (which may lie past the last
// date number, up to 31/12/9999), or a step that ran past 31/12/9999.
struct RecurringStep {
    enum class Kind { NoDate, Date, TooFar };

    Kind kind = Kind::NoDate;
    std::chrono::year_month_day date{};

    bool IsDate() const { return kind == Kind::Date; }
};

// Recurring entry frequency units.
inline constexpr int kRecurringDays = 0;
inline constexpr int kRecurringWeeks = 1;
inline constexpr int kRecurringMonths = 2;

// The posting `count` intervals after `base` of an entry that starts on `start` (date numbers,
// 0 = none): no date without a start; the start itself when never posted (base 0); else base
// plus count x interval days, weeks or months. A month step keeps the start's day of month where
// the resulting month has it (started 31/01, posted 28/02: next 31/03), otherwise base's day
// limited to the month's length. A negative count counts as 0; a unit other than days, weeks or
// months, or a step that would go before 01/01/0001, gives no date. Both the Recurring Items
// list and the Recurring Entry Properties viewer go through here. Never throws.
RecurringStep RecurringDateStep(uint16_t start, uint16_t base, long long count, int interval,
                                int unit);

}  // namespace kelo
