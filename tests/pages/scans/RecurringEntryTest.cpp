// The recurring entry's texts: the worked examples of the next posting (one table), the
// projected finish date with its limits, and the date step at the end of the calendar.

#include "src/pages/scans/RecurringEntry.h"

#include <gtest/gtest.h>

#include "host/util/Dates.h"

namespace kelo {
namespace {

uint16_t d(const char* text)
{
    if (!*text) return kNoDate;
    const uint16_t n = DateStringToNumber(text);
    EXPECT_NE(n, kNoDate) << text;
    return n;
}

struct Example {
    const char* name;
    const char* start;
    const char* last;
    int interval;
    int unit;
    bool suspended;
    int total;
    int made;
    const char* frequency;
    const char* next;
};

const Example kExamples[] = {
    {"monthly from 31/01 through February", "31/01/2027", "28/02/2027", 1, 2, false, 0, 2, "1 Month(s)", "31/03/2027"},
    {"monthly from 31/01 through April", "31/01/2027", "30/04/2027", 1, 2, false, 0, 4, "1 Month(s)", "31/05/2027"},
    {"monthly from 31/01 into a 30-day month", "31/01/2027", "31/03/2027", 1, 2, false, 0, 3, "1 Month(s)", "30/04/2027"},
    {"monthly from 31/01 into a leap February", "31/01/2028", "31/01/2028", 1, 2, false, 0, 1, "1 Month(s)", "29/02/2028"},
    {"monthly from 30/01 through February", "30/01/2027", "28/02/2027", 1, 2, false, 0, 2, "1 Month(s)", "30/03/2027"},
    // The start day only returns where the month has it; else base's day, limited.
    {"two-monthly from 31/01 via February", "31/01/2027", "28/02/2027", 2, 2, false, 0, 2, "2 Month(s)", "28/04/2027"},
    {"yearly by months across a year end", "15/11/2026", "15/11/2026", 12, 2, false, 0, 1, "12 Month(s)", "15/11/2027"},
    {"two-weekly", "01/02/2027", "01/03/2027", 2, 1, false, 0, 3, "2 Week(s)", "15/03/2027"},
    {"every 14 days across a year end", "25/12/2026", "25/12/2027", 14, 0, false, 0, 27, "14 Day(s)", "08/01/2028"},
    {"suspended although finished", "01/01/2027", "01/12/2027", 1, 2, true, 12, 12, "1 Month(s)", "Suspended"},
    {"finished", "01/01/2027", "01/12/2027", 1, 2, false, 12, 12, "1 Month(s)", "Finished"},
    {"perpetual never finishes", "01/01/2027", "01/03/2027", 1, 2, false, 0, 0, "1 Month(s)", "01/04/2027"},
    {"more made than required is no finish", "01/01/2027", "01/03/2027", 1, 2, false, 2, 3, "1 Month(s)", "01/04/2027"},
    {"never posted: its start date", "06/12/2026", "", 1, 2, false, 12, 0, "1 Month(s)", "06/12/2026"},
    {"start date 0", "", "01/03/2027", 1, 2, false, 0, 1, "1 Month(s)", ""},
    {"unit outside the three", "01/01/2027", "01/03/2027", 1, 3, false, 0, 1, "", ""},
    {"negative unit", "01/01/2027", "01/03/2027", 1, -1, false, 0, 1, "", ""},
    {"past the last date number", "05/06/2079", "05/06/2079", 1, 2, false, 0, 1, "1 Month(s)", "05/07/2079"},
    {"largest interval in weeks", "05/06/2079", "05/06/2079", 32767, 1, false, 0, 1, "32767 Week(s)", "03/06/2707"},
};

// Test names from the cases' own.
template <class Case>
std::string CaseName(const testing::TestParamInfo<Case>& info)
{
    std::string name = info.param.name;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

class NextPosting : public testing::TestWithParam<Example> {};

TEST_P(NextPosting, FrequencyAndNextPostingAsListed)
{
    const Example& x = GetParam();
    RecurringEntry e;
    e.start = d(x.start);
    e.lastPosted = d(x.last);
    e.interval = x.interval;
    e.unit = x.unit;
    e.suspended = x.suspended;
    e.totalPostings = x.total;
    e.postingsMade = x.made;
    EXPECT_EQ(e.FrequencyText(), x.frequency);
    EXPECT_EQ(e.NextPostingText(), x.next);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, NextPosting, testing::ValuesIn(kExamples),
                         CaseName<Example>);

struct Projection {
    const char* name;
    const char* start;
    const char* last;
    int interval;
    int unit;
    int total;
    int made;
    RecurringFinish::Kind kind;
    const char* text;
};

using K = RecurringFinish::Kind;
const Projection kProjections[] = {
    {"perpetual", "01/03/2027", "", 1, 2, 0, 0, K::Perpetual, "Perpetual"},
    {"perpetual by a negative total", "01/03/2027", "01/04/2027", 1, 2, -1, 1, K::Perpetual, "Perpetual"},
    {"perpetual without a start", "", "", 1, 2, 0, 0, K::Empty, ""},
    {"finished", "01/03/2027", "01/07/2027", 1, 2, 5, 5, K::Finished, "Finished"},
    {"monthly from 31/01, 10 to go after February", "31/01/2027", "28/02/2027", 1, 2, 12, 2, K::Date, "31/12/2027"},
    {"weekly never posted", "01/03/2027", "", 1, 1, 3, 0, K::Date, "15/03/2027"},
    {"daily never posted, one posting", "01/03/2027", "", 1, 0, 1, 0, K::Date, "01/03/2027"},
    {"no start date", "", "", 1, 1, 3, 0, K::Empty, ""},
    {"unknown unit", "01/03/2027", "01/04/2027", 1, 7, 3, 1, K::Empty, ""},
    {"more made than required", "01/03/2027", "01/04/2027", 1, 2, 2, 3, K::Date, "01/04/2027"},
    // 05/06/2079 + 6 x 15841 months is December 9999; one interval more is past it.
    {"monthly to the calendar's last month", "05/06/2079", "05/06/2079", 6, 2, 15842, 1, K::Date, "05/12/9999"},
    {"monthly past 31/12/9999", "05/06/2079", "05/06/2079", 6, 2, 15843, 1, K::Infinite, "Infinite"},
    // 31/12/2078 + 611 x 4735 days is 31/12/9999 itself.
    {"daily to the calendar's last day", "31/12/2078", "31/12/2078", 611, 0, 4736, 1, K::Date, "31/12/9999"},
    {"daily past 31/12/9999", "31/12/2078", "31/12/2078", 611, 0, 4737, 1, K::Infinite, "Infinite"},
    {"largest monthly projection", "01/01/2027", "", 32767, 2, 32767, 0, K::Infinite, "Infinite"},
    {"largest weekly projection", "01/01/2027", "", 32767, 1, 32767, 0, K::Infinite, "Infinite"},
};

class FinishDate : public testing::TestWithParam<Projection> {};

TEST_P(FinishDate, ProjectsTheLastRequiredPosting)
{
    const Projection& x = GetParam();
    RecurringEntry e;
    e.start = d(x.start);
    e.lastPosted = d(x.last);
    e.interval = x.interval;
    e.unit = x.unit;
    e.totalPostings = x.total;
    e.postingsMade = x.made;
    const RecurringFinish f = e.ProjectedFinish();
    EXPECT_EQ(f.kind, x.kind);
    EXPECT_EQ(f.Text(), x.text);
}

INSTANTIATE_TEST_SUITE_P(Projections, FinishDate, testing::ValuesIn(kProjections),
                         CaseName<Projection>);

TEST(RecurringDateStep, NegativeIntervalsAndCountsStayInsideTheCalendar)
{
    const uint16_t start = d("01/01/2027");
    const uint16_t last = d("01/03/2027");
    // A negative count counts as none: the base itself.
    RecurringStep s = RecurringDateStep(start, last, -5, 1, kRecurringMonths);
    ASSERT_TRUE(s.IsDate());
    EXPECT_EQ(CalendarToFullString(s.date), "01/03/2027");
    // A negative interval steps back; far enough back there is no date at all, not "too far".
    s = RecurringDateStep(start, last, 1, -1, kRecurringWeeks);
    ASSERT_TRUE(s.IsDate());
    EXPECT_EQ(CalendarToFullString(s.date), "22/02/2027");
    s = RecurringDateStep(start, last, 32767, -32768, kRecurringMonths);
    EXPECT_EQ(s.kind, RecurringStep::Kind::NoDate);
    s = RecurringDateStep(start, last, 32767, -32768, kRecurringDays);
    EXPECT_EQ(s.kind, RecurringStep::Kind::NoDate);
}

}  // namespace
}  // namespace kelo
