#pragma once

#include "host/data/Field.h"

namespace kelo {

// Recurring entry record (file 21), addressed by record number 1..RecCount. The record is packed,
// so several fields start at odd offsets. Bytes 0-3, 138-139 and 149 on are reserved.
inline constexpr uint32_t kRecurringLength = 160;

// 0 payment, 1 receipt, 2 bank transfer, 3 customer payment on account, 4 journal debit,
// 5 journal credit, 6 supplier payment on account.
inline constexpr Field kRecurringKind{"kind", 4, 1, FieldType::I8};
// Nominal code (kinds 0, 1, 4, 5), receiving bank (2), customer (3) or supplier (6).
inline constexpr Field kRecurringSecondAccount{"second_account", 5, 9, FieldType::Text};
// The bank account; the paying bank of a transfer.
inline constexpr Field kRecurringBankCode{"bank_code", 14, 9, FieldType::Text};
inline constexpr Field kRecurringReference{"reference", 23, 31, FieldType::Text};
inline constexpr Field kRecurringDetails{"details", 54, 61, FieldType::Text};
// 1 = posting suspended.
inline constexpr Field kRecurringSuspended{"suspended", 115, 1, FieldType::I8};
inline constexpr Field kRecurringNetAmount{"net_amount", 116, 8, FieldType::F64};
inline constexpr Field kRecurringTaxAmount{"tax_amount", 124, 8, FieldType::F64};
// 0 = not posted yet.
inline constexpr Field kRecurringLastPosted{"last_posted", 132, 2, FieldType::U16};
// 0 = none; otherwise the department record number (file 54).
inline constexpr Field kRecurringDepartment{"department", 134, 2, FieldType::I16};
inline constexpr Field kRecurringTaxCode{"tax_code", 136, 2, FieldType::I16};
inline constexpr Field kRecurringInterval{"interval", 140, 2, FieldType::I16};
// 0 days, 1 weeks, 2 months.
inline constexpr Field kRecurringUnit{"unit", 142, 1, FieldType::I8};
// Date of the first posting; 0 = none.
inline constexpr Field kRecurringStartDate{"start_date", 143, 2, FieldType::U16};
// 0 or less = perpetual.
inline constexpr Field kRecurringTotalPostings{"total_postings", 145, 2, FieldType::I16};
inline constexpr Field kRecurringPostingsMade{"postings_made", 147, 2, FieldType::I16};

extern const Layout kRecurringLayout;

}  // namespace kelo
