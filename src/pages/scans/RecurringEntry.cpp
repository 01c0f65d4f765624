#include "src/pages/scans/RecurringEntry.h"

#include "host/data/RecurringRecord.h"
#include "host/util/Dates.h"

namespace kelo {

const char* const kRecurringTooFarMessage =
    "The projected finish date for this recurring entry is too far into the future (i.e. beyond "
    "31/12/9999),\nand cannot be displayed.";

std::string RecurringFinish::Text() const
{
    switch (kind) {
    case Kind::Empty: return {};
    case Kind::Perpetual: return "Perpetual";
    case Kind::Finished: return "Finished";
    case Kind::Date: return CalendarToFullString(date);
    case Kind::Infinite: return "Infinite";
    }
    return {};
}

RecurringEntry RecurringEntry::Of(const uint8_t* rec)
{
    RecurringEntry e;
    e.kind = GetI8(rec, kRecurringKind);
    e.secondAccount = GetText(rec, kRecurringSecondAccount);
    e.bankCode = GetText(rec, kRecurringBankCode);
    e.reference = GetText(rec, kRecurringReference);
    e.details = GetText(rec, kRecurringDetails);
    e.suspended = GetI8(rec, kRecurringSuspended) == 1;
    e.net = GetF64(rec, kRecurringNetAmount);
    e.tax = GetF64(rec, kRecurringTaxAmount);
    e.lastPosted = GetU16(rec, kRecurringLastPosted);
    e.department = GetI16(rec, kRecurringDepartment);
    e.taxCode = GetI16(rec, kRecurringTaxCode);
    e.interval = GetI16(rec, kRecurringInterval);
    e.unit = GetI8(rec, kRecurringUnit);
    e.start = GetU16(rec, kRecurringStartDate);
    e.totalPostings = GetI16(rec, kRecurringTotalPostings);
    e.postingsMade = GetI16(rec, kRecurringPostingsMade);
    return e;
}

std::string RecurringEntry::UnitText() const
{
    switch (unit) {
    case kRecurringDays: return "Day(s)";
    case kRecurringWeeks: return "Week(s)";
    case kRecurringMonths: return "Month(s)";
    default: return {};
    }
}

std::string RecurringEntry::FrequencyText() const
{
    const std::string u = UnitText();
    return u.empty() ? u : std::to_string(interval) + ' ' + u;
}

bool RecurringEntry::IsFinished() const
{
    return totalPostings > 0 && totalPostings == postingsMade;
}

std::string RecurringEntry::NextPostingText() const
{
    if (suspended) return "Suspended";
    if (IsFinished()) return "Finished";
    const RecurringStep next = RecurringDateStep(start, lastPosted, 1, interval, unit);
    return next.IsDate() ? CalendarToFullString(next.date) : std::string();
}

RecurringFinish RecurringEntry::ProjectedFinish() const
{
    using Kind = RecurringFinish::Kind;
    if (totalPostings <= 0) return {start != kNoDate ? Kind::Perpetual : Kind::Empty, {}};
    if (totalPostings == postingsMade) return {Kind::Finished, {}};
    const long long remaining = static_cast<long long>(totalPostings) - postingsMade;
    // Never posted: the first of the remaining postings falls on the start date itself.
    const RecurringStep last = lastPosted != kNoDate
                                   ? RecurringDateStep(start, lastPosted, remaining, interval, unit)
                                   : RecurringDateStep(start, start, remaining - 1, interval, unit);
    switch (last.kind) {
    case RecurringStep::Kind::NoDate: return {Kind::Empty, {}};
    case RecurringStep::Kind::TooFar: return {Kind::Infinite, {}};
    case RecurringStep::Kind::Date: return {Kind::Date, last.date};
    }
    return {};
}

}  // namespace kelo
