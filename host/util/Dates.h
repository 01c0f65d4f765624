#pragma once

// Date numbers: a 16-bit day count where 1 is 01/01/1900 and 65535 is 05/06/2079 on the
// Gregorian calendar (1900 has no 29 February, so no number stands for a day that never was);
// 0 means no date. Ages are plain differences of date numbers. Calendar work (month steps, the
// recurring entry dates that may run to 31/12/9999) goes through std::chrono calendar dates
// instead, since it can leave the 16-bit range.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::uint16_t kNoDate = 0;
inline constexpr std::uint16_t kLastDateNumber = 65535;

// "dd/mm/yyyy" for a date number; empty text for 0. Never throws.
std::string DateNumberToFullString(std::uint16_t number);

// Parses a date typed or stored as text and returns its date number, or 0 when the text is not a
// date this system can hold. Accepted: day, '/', month, '/', year with 1-2 digit day and month
// and a 2 or 4 digit year ("05/03/2027", "5/3/27", "5/03/2027"), spaces around the whole text
// ignored. Two-digit years: 00-79 are 2000-2079, 80-99 are 1980-1999. Anything else (other
// separators, letters, a 3-digit year, 31/02/2027, dates before 01/01/1900 or after
// 05/06/2079) gives 0. Never throws.
std::uint16_t DateStringToNumber(std::string_view text);

// Splits a date number into day (1-31), month (1-12) and year; 0 sets all three to 0.
void DateNumberToComponents(std::uint16_t number, int& day, int& month, int& year);

// Date number of a calendar day, or 0 when the day does not exist or lies outside
// 01/01/1900..05/06/2079.
std::uint16_t DateNumberFromComponents(int day, int month, int year);

// The date as eight digits "YYYYMMDD"; 0 gives "00000000" (the form the record writers store for
// no date).
std::string DateYYYYMMDDFromNumber(std::uint16_t number);

// Inverse of DateYYYYMMDDFromNumber: 0 for "00000000", spaces, or any text that is not a date.
std::uint16_t DateNumberFromYYYYMMDD(std::string_view digits);

// A month count that grows by exactly 1 from one calendar month to the next, across year ends:
// (year - 1900) * 12 + month, so January 1900 is 1. 0 for no date. Month aging subtracts two of
// these.
int DateNumberToMonth(std::uint16_t number);

// True when `date` lies outside the financial year that starts on `yearStart`: before the start,
// or 12 months or more after it (a year starting 01/04/2027 holds 01/04/2027..31/03/2028). No
// date (0) is outside any year. With no year start set (0) nothing is outside.
bool IsDateOutsideFYear(std::uint16_t date, std::uint16_t yearStart);

// Calendar dates of date numbers. DateNumberToCalendar(0) is not defined (check first);
// DateNumberFromCalendar gives 0 for an invalid date or one outside the 16-bit range.
std::chrono::year_month_day DateNumberToCalendar(std::uint16_t number);
std::uint16_t DateNumberFromCalendar(const std::chrono::year_month_day& date);

// Calendar steps over 01/01/0001..31/12/9999; each returns nothing when the result (or the
// input) lies outside that span. AddMonths and AddYears keep the day of month but limit it to the
// length of the resulting month (31/01 + 1 month = 28/02 or 29/02).
std::optional<std::chrono::year_month_day> AddDays(const std::chrono::year_month_day& date,
                                                   long long days);
std::optional<std::chrono::year_month_day> AddMonths(const std::chrono::year_month_day& date,
                                                     long long months);
std::optional<std::chrono::year_month_day> AddYears(const std::chrono::year_month_day& date,
                                                    long long years);

// "dd/mm/yyyy" of any valid calendar date (the year always four digits).
std::string CalendarToFullString(const std::chrono::year_month_day& date);
