#include "src/pages/scans/RecurringDateStep.h"

#include <algorithm>
#include <optional>

#include "host/util/Dates.h"

namespace kelo {

using namespace std::chrono;

RecurringStep RecurringDateStep(uint16_t start, uint16_t base, long long count, int interval,
                                int unit)
{
    if (start == kNoDate) return {};
    const year_month_day first = DateNumberToCalendar(start);
    if (base == kNoDate) return {RecurringStep::Kind::Date, first};

    // At most 32767 x 32768 intervals: no overflow even counted in days.
    const long long n = std::max(count, 0LL) * interval;
    const year_month_day from = DateNumberToCalendar(base);
    std::optional<year_month_day> result;
    switch (unit) {
    case kRecurringDays:
        result = AddDays(from, n);
        break;
    case kRecurringWeeks:
        result = AddDays(from, 7 * n);
        break;
    case kRecurringMonths:
        result = AddMonths(from, n);
        if (result && first.day() > result->day()) {
            const year_month_day startDay{result->year(), result->month(), first.day()};
            if (startDay.ok()) result = startDay;
        }
        break;
    default:
        return {};
    }
    // Out of the calendar's span: past its end is the failure the viewer reports; a negative
    // interval running before year 1 has no date at all.
    if (!result) return {n < 0 ? RecurringStep::Kind::NoDate : RecurringStep::Kind::TooFar, {}};
    return {RecurringStep::Kind::Date, *result};
}

}  // namespace kelo
