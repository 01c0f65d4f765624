#include "host/util/Dates.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace {

using namespace std::chrono;

// Day 0 of the numbering, so that day 1 is 01/01/1900.
constexpr sys_days kEpoch = sys_days{1899y / December / 31};
constexpr year_month_day kFirstCalendarDay{year{1}, January, day{1}};
constexpr year_month_day kLastCalendarDay{year{9999}, December, day{31}};

bool InCalendarSpan(const year_month_day& date) {
    return date.ok() && date >= kFirstCalendarDay && date <= kLastCalendarDay;
}

// Reads 1..maxDigits decimal digits at text[pos]; advances pos. -1 when there are none or too many.
int ReadNumber(std::string_view text, std::size_t& pos, std::size_t maxDigits,
               std::size_t& digits) {
    std::size_t start = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        ++pos;
    }
    digits = pos - start;
    if (digits == 0 || digits > maxDigits) {
        return -1;
    }
    int value = 0;
    std::from_chars(text.data() + start, text.data() + pos, value);
    return value;
}

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

year_month_day DateNumberToCalendar(std::uint16_t number) {
    return year_month_day{kEpoch + days{number}};
}

std::uint16_t DateNumberFromCalendar(const year_month_day& date) {
    if (!date.ok()) {
        return kNoDate;
    }
    const auto count = (sys_days{date} - kEpoch).count();
    if (count < 1 || count > kLastDateNumber) {
        return kNoDate;
    }
    return static_cast<std::uint16_t>(count);
}

std::string CalendarToFullString(const year_month_day& date) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%02u/%02u/%04d", static_cast<unsigned>(date.day()),
                  static_cast<unsigned>(date.month()), static_cast<int>(date.year()));
    return text.data();
}

std::string DateNumberToFullString(std::uint16_t number) {
    if (number == kNoDate) {
        return {};
    }
    return CalendarToFullString(DateNumberToCalendar(number));
}

std::uint16_t DateStringToNumber(std::string_view text) {
    text = TrimSpaces(text);
    std::size_t pos = 0;
    std::size_t digits = 0;
    const int dayValue = ReadNumber(text, pos, 2, digits);
    if (dayValue < 0 || pos >= text.size() || text[pos] != '/') {
        return kNoDate;
    }
    ++pos;
    const int monthValue = ReadNumber(text, pos, 2, digits);
    if (monthValue < 0 || pos >= text.size() || text[pos] != '/') {
        return kNoDate;
    }
    ++pos;
    int yearValue = ReadNumber(text, pos, 4, digits);
    if (yearValue < 0 || pos != text.size() || (digits != 2 && digits != 4)) {
        return kNoDate;
    }
    if (digits == 2) {
        yearValue += yearValue < 80 ? 2000 : 1900;
    }
    return DateNumberFromComponents(dayValue, monthValue, yearValue);
}

void DateNumberToComponents(std::uint16_t number, int& dayOut, int& monthOut, int& yearOut) {
    if (number == kNoDate) {
        dayOut = monthOut = yearOut = 0;
        return;
    }
    const year_month_day date = DateNumberToCalendar(number);
    dayOut = static_cast<int>(static_cast<unsigned>(date.day()));
    monthOut = static_cast<int>(static_cast<unsigned>(date.month()));
    yearOut = static_cast<int>(date.year());
}

std::uint16_t DateNumberFromComponents(int dayValue, int monthValue, int yearValue) {
    if (dayValue < 1 || dayValue > 31 || monthValue < 1 || monthValue > 12 || yearValue < 1900 ||
        yearValue > 2079) {
        return kNoDate;
    }
    return DateNumberFromCalendar(year_month_day{year{yearValue},
                                                 month{static_cast<unsigned>(monthValue)},
                                                 day{static_cast<unsigned>(dayValue)}});
}

std::string DateYYYYMMDDFromNumber(std::uint16_t number) {
    if (number == kNoDate) {
        return "00000000";
    }
    const year_month_day date = DateNumberToCalendar(number);
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%04d%02u%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text.data();
}

std::uint16_t DateNumberFromYYYYMMDD(std::string_view digits) {
    if (digits.size() != 8) {
        return kNoDate;
    }
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return kNoDate;
        }
    }
    int yearValue = 0;
    int monthValue = 0;
    int dayValue = 0;
    std::from_chars(digits.data(), digits.data() + 4, yearValue);
    std::from_chars(digits.data() + 4, digits.data() + 6, monthValue);
    std::from_chars(digits.data() + 6, digits.data() + 8, dayValue);
    return DateNumberFromComponents(dayValue, monthValue, yearValue);
}

int DateNumberToMonth(std::uint16_t number) {
    if (number == kNoDate) {
        return 0;
    }
    const year_month_day date = DateNumberToCalendar(number);
    return (static_cast<int>(date.year()) - 1900) * 12 +
           static_cast<int>(static_cast<unsigned>(date.month()));
}

bool IsDateOutsideFYear(std::uint16_t date, std::uint16_t yearStart) {
    if (yearStart == kNoDate) {
        return false;
    }
    if (date == kNoDate || date < yearStart) {
        return true;
    }
    // The year's end is computed on calendar dates: a start late in 2079 ends past the 16-bit
    // range.
    const auto nextStart = AddMonths(DateNumberToCalendar(yearStart), 12);
    return sys_days{DateNumberToCalendar(date)} >= sys_days{*nextStart};
}

std::optional<year_month_day> AddDays(const year_month_day& date, long long count) {
    if (!InCalendarSpan(date)) {
        return std::nullopt;
    }
    // Bounded first so that a huge count cannot overflow the day arithmetic.
    constexpr long long kSpan = 3'652'059;  // days from 01/01/0001 to 31/12/9999
    if (count > kSpan || count < -kSpan) {
        return std::nullopt;
    }
    const year_month_day result{sys_days{date} + days{count}};
    if (!InCalendarSpan(result)) {
        return std::nullopt;
    }
    return result;
}

std::optional<year_month_day> AddMonths(const year_month_day& date, long long count) {
    if (!InCalendarSpan(date)) {
        return std::nullopt;
    }
    const long long monthIndex = static_cast<long long>(static_cast<int>(date.year())) * 12 +
                                 (static_cast<unsigned>(date.month()) - 1);
    constexpr long long kLastIndex = 9999LL * 12 + 11;
    if (count > kLastIndex || count < -kLastIndex) {
        return std::nullopt;
    }
    const long long target = monthIndex + count;
    if (target < 12 || target > kLastIndex) {
        return std::nullopt;
    }
    const year_month_day_last monthEnd{
        year{static_cast<int>(target / 12)},
        month_day_last{month{static_cast<unsigned>(target % 12 + 1)}}};
    const day dayValue = std::min(date.day(), monthEnd.day());
    return year_month_day{monthEnd.year(), monthEnd.month(), dayValue};
}

std::optional<year_month_day> AddYears(const year_month_day& date, long long count) {
    if (count > 10000 || count < -10000) {
        return std::nullopt;
    }
    return AddMonths(date, count * 12);
}
