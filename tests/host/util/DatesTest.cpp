#include "host/util/Dates.h"

#include <chrono>
#include <string>

#include <gtest/gtest.h>

using namespace std::chrono;

TEST(DateNumbers, EveryNumberRoundTripsThroughText) {
    int previousMonth = DateNumberToMonth(1);
    for (unsigned n = 1; n <= kLastDateNumber; ++n) {
        const auto number = static_cast<std::uint16_t>(n);
        const std::string text = DateNumberToFullString(number);
        ASSERT_EQ(text.size(), 10u) << n;
        ASSERT_EQ(DateStringToNumber(text), number) << text;
        ASSERT_EQ(DateNumberFromYYYYMMDD(DateYYYYMMDDFromNumber(number)), number) << n;
        int d = 0, m = 0, y = 0;
        DateNumberToComponents(number, d, m, y);
        ASSERT_EQ(DateNumberFromComponents(d, m, y), number) << text;
        // Consecutive days never move the month count by anything but 0 or 1.
        const int month = DateNumberToMonth(number);
        ASSERT_TRUE(month == previousMonth || month == previousMonth + 1) << text;
        previousMonth = month;
    }
}

TEST(DateNumbers, EndsOfTheRangeAndNoDate) {
    EXPECT_EQ(DateNumberToFullString(1), "01/01/1900");
    EXPECT_EQ(DateNumberToFullString(2), "02/01/1900");
    EXPECT_EQ(DateNumberToFullString(65535), "05/06/2079");
    EXPECT_EQ(DateNumberToFullString(0), "");
    EXPECT_EQ(DateStringToNumber("05/06/2079"), 65535);
    EXPECT_EQ(DateStringToNumber("06/06/2079"), 0);
    EXPECT_EQ(DateStringToNumber("31/12/1899"), 0);
    EXPECT_EQ(DateYYYYMMDDFromNumber(1), "19000101");
    EXPECT_EQ(DateYYYYMMDDFromNumber(65535), "20790605");
    EXPECT_EQ(DateYYYYMMDDFromNumber(0), "00000000");
    int d = -1, m = -1, y = -1;
    DateNumberToComponents(0, d, m, y);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(m, 0);
    EXPECT_EQ(y, 0);
}

TEST(DateNumbers, LeapDays) {
    EXPECT_EQ(DateStringToNumber("29/02/1900"), 0);
    EXPECT_EQ(DateStringToNumber("28/02/1900"), 59);
    EXPECT_EQ(DateStringToNumber("01/03/1900"), 60);
    const std::uint16_t leap2000 = DateStringToNumber("29/02/2000");
    ASSERT_NE(leap2000, 0);
    EXPECT_EQ(DateStringToNumber("01/03/2000"), leap2000 + 1);
    EXPECT_EQ(DateStringToNumber("29/02/2027"), 0);
    EXPECT_NE(DateStringToNumber("29/02/2028"), 0);
    EXPECT_EQ(DateNumberFromComponents(29, 2, 2000), leap2000);
}

struct TextCase {
    const char* text;
    const char* expected;  // dd/mm/yyyy, or "" for no date
};

class DateTextTable : public testing::TestWithParam<TextCase> {};

TEST_P(DateTextTable, ParsesOrRejects) {
    const TextCase& c = GetParam();
    EXPECT_EQ(DateNumberToFullString(DateStringToNumber(c.text)), c.expected)
        << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    ShortAndMixedForms, DateTextTable,
    testing::Values(TextCase{"5/3/27", "05/03/2027"}, TextCase{"05/03/27", "05/03/2027"},
                    TextCase{"5/03/2027", "05/03/2027"}, TextCase{"05/3/2027", "05/03/2027"},
                    TextCase{"1/1/00", "01/01/2000"}, TextCase{"1/1/79", "01/01/2079"},
                    TextCase{"31/12/79", ""}, TextCase{"5/6/79", "05/06/2079"},
                    TextCase{"6/6/79", ""}, TextCase{"1/1/80", "01/01/1980"},
                    TextCase{"31/12/99", "31/12/1999"}, TextCase{" 05/03/2027 ", "05/03/2027"}));

INSTANTIATE_TEST_SUITE_P(BadTexts, DateTextTable,
                         testing::Values(TextCase{"", ""}, TextCase{"   ", ""},
                                         TextCase{"31/02/2027", ""}, TextCase{"31/04/2027", ""},
                                         TextCase{"00/01/2027", ""}, TextCase{"01/00/2027", ""},
                                         TextCase{"01/13/2027", ""}, TextCase{"32/01/2027", ""},
                                         TextCase{"ab/cd/efgh", ""}, TextCase{"1a/01/2027", ""},
                                         TextCase{"01/01/2027x", ""}, TextCase{"01-01-2027", ""},
                                         TextCase{"01.01.2027", ""}, TextCase{"01/01", ""},
                                         TextCase{"01/01/", ""}, TextCase{"/01/2027", ""},
                                         TextCase{"01/01/202", ""}, TextCase{"01/01/7", ""},
                                         TextCase{"01/01/20270", ""}, TextCase{"001/01/2027", ""},
                                         TextCase{"01/001/2027", ""}, TextCase{"-1/01/2027", ""},
                                         TextCase{"+1/01/2027", ""}, TextCase{"01/01/1899", ""},
                                         TextCase{"01/01/2080", ""}, TextCase{"01/01/9999", ""},
                                         TextCase{"01 /01/2027", ""}, TextCase{"01/01/2027/", ""}));

TEST(DateNumbers, YYYYMMDDRejectsNonDates) {
    EXPECT_EQ(DateNumberFromYYYYMMDD("20270231"), 0);
    EXPECT_EQ(DateNumberFromYYYYMMDD("2027013"), 0);
    EXPECT_EQ(DateNumberFromYYYYMMDD("        "), 0);
    EXPECT_EQ(DateNumberFromYYYYMMDD("00000000"), 0);
    EXPECT_EQ(DateNumberToFullString(DateNumberFromYYYYMMDD("20270305")), "05/03/2027");
}

TEST(DateNumbers, MonthCountAcrossYearEnds) {
    EXPECT_EQ(DateNumberToMonth(0), 0);
    EXPECT_EQ(DateNumberToMonth(1), 1);
    EXPECT_EQ(DateNumberToMonth(DateStringToNumber("01/01/2028")) -
                  DateNumberToMonth(DateStringToNumber("31/12/2027")),
              1);
    EXPECT_EQ(DateNumberToMonth(DateStringToNumber("31/03/2027")) -
                  DateNumberToMonth(DateStringToNumber("01/03/2027")),
              0);
}

struct FYearCase {
    const char* date;
    const char* yearStart;
    bool outside;
};

class FinancialYear : public testing::TestWithParam<FYearCase> {};

TEST_P(FinancialYear, OutsideWhenBeforeStartOrTwelveMonthsOn) {
    const FYearCase& c = GetParam();
    EXPECT_EQ(IsDateOutsideFYear(DateStringToNumber(c.date), DateStringToNumber(c.yearStart)),
              c.outside)
        << c.date << " in year from " << c.yearStart;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FinancialYear,
    testing::Values(
        FYearCase{"01/04/2027", "01/04/2027", false}, FYearCase{"31/03/2027", "01/04/2027", true},
        FYearCase{"31/03/2028", "01/04/2027", false}, FYearCase{"01/04/2028", "01/04/2027", true},
        FYearCase{"31/12/2027", "01/01/2027", false}, FYearCase{"01/01/2028", "01/01/2027", true},
        FYearCase{"29/02/2028", "01/03/2027", false}, FYearCase{"01/03/2028", "01/03/2027", true},
        FYearCase{"05/06/2079", "01/01/2079", false}, FYearCase{"05/06/2079", "01/12/2078", false},
        FYearCase{"05/06/2079", "01/06/2078", true}, FYearCase{"", "01/04/2027", true},
        FYearCase{"01/04/2027", "", false}));

TEST(CalendarSteps, MonthsKeepTheDayWithinTheMonth) {
    const year_month_day jan31{2027y, January, 31d};
    EXPECT_EQ(AddMonths(jan31, 1), year_month_day(2027y, February, 28d));
    EXPECT_EQ(AddMonths(jan31, 13), year_month_day(2028y, February, 29d));
    EXPECT_EQ(AddMonths(jan31, 2), year_month_day(2027y, March, 31d));
    EXPECT_EQ(AddMonths(jan31, 11), year_month_day(2027y, December, 31d));
    EXPECT_EQ(AddMonths(jan31, 12), year_month_day(2028y, January, 31d));
    EXPECT_EQ(AddMonths(jan31, -2), year_month_day(2026y, November, 30d));
    EXPECT_EQ(AddMonths(year_month_day(2027y, February, 28d), 10),
              year_month_day(2027y, December, 28d));
    EXPECT_EQ(AddYears(year_month_day(2028y, February, 29d), 1),
              year_month_day(2029y, February, 28d));
}

TEST(CalendarSteps, BeyondTheLastDayFails) {
    const year_month_day last{9999y, December, 31d};
    EXPECT_EQ(AddDays(last, 0), last);
    EXPECT_FALSE(AddDays(last, 1).has_value());
    EXPECT_FALSE(AddMonths(year_month_day(9999y, December, 1d), 1).has_value());
    EXPECT_EQ(AddMonths(year_month_day(9999y, November, 30d), 1),
              year_month_day(9999y, December, 30d));
    EXPECT_FALSE(AddYears(year_month_day(9999y, January, 1d), 1).has_value());
    EXPECT_FALSE(AddDays(year_month_day(2027y, January, 1d), 1'000'000'000'000LL).has_value());
    EXPECT_FALSE(AddMonths(year_month_day(2027y, January, 1d), 1'000'000'000'000LL).has_value());
    EXPECT_FALSE(AddDays(year_month_day(2027y, February, 30d), 1).has_value());
    EXPECT_FALSE(AddDays(year_month_day(1y, January, 1d), -1).has_value());
    // January of year 1 is still inside the span.
    EXPECT_EQ(AddMonths(year_month_day(1y, February, 28d), -1), year_month_day(1y, January, 28d));
}

TEST(CalendarSteps, DaysAndWeeksCrossTheSixteenBitEnd) {
    const year_month_day start = DateNumberToCalendar(65535);
    const auto next = AddDays(start, 7);
    ASSERT_TRUE(next.has_value());
    EXPECT_EQ(*next, year_month_day(2079y, June, 12d));
    EXPECT_EQ(DateNumberFromCalendar(*next), 0);
    EXPECT_EQ(CalendarToFullString(*next), "12/06/2079");
    EXPECT_EQ(CalendarToFullString(year_month_day(9999y, December, 31d)), "31/12/9999");
    EXPECT_EQ(AddDays(DateNumberToCalendar(1), 14), DateNumberToCalendar(15));
}
