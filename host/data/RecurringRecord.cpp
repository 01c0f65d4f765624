#include "host/data/RecurringRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {
    kRecurringKind,       kRecurringSecondAccount, kRecurringBankCode,      kRecurringReference,
    kRecurringDetails,    kRecurringSuspended,     kRecurringNetAmount,     kRecurringTaxAmount,
    kRecurringLastPosted, kRecurringDepartment,    kRecurringTaxCode,       kRecurringInterval,
    kRecurringUnit,       kRecurringStartDate,     kRecurringTotalPostings, kRecurringPostingsMade,
};

}  // namespace

const Layout kRecurringLayout{"recurring", kRecurringLength, kFields};

}  // namespace kelo
