#pragma once

#include "host/data/Field.h"

namespace kelo {

// Bill record (file 46, no index: a new bill is appended as RecCount + 1). Bytes 123-155 are
// reserved and written as zero.
inline constexpr uint32_t kBillLength = 156;

// Nominal account code the bill is charged to.
inline constexpr Field kBillPayTo{"pay_to", 0, 9, FieldType::Text};
inline constexpr Field kBillDetails{"details", 9, 61, FieldType::Text};
inline constexpr Field kBillReference{"reference", 70, 9, FieldType::Text};
inline constexpr Field kBillTaxCode{"tax_code", 79, 2, FieldType::I16};
inline constexpr Field kBillDate{"bill_date", 81, 2, FieldType::U16};
// Date of the last payment; 0 = none.
inline constexpr Field kBillDatePaid{"date_paid", 83, 2, FieldType::U16};
inline constexpr Field kBillDueDate{"due_date", 85, 2, FieldType::U16};
inline constexpr Field kBillNetAmount{"net_amount", 87, 8, FieldType::F64};
inline constexpr Field kBillTaxAmount{"tax_amount", 95, 8, FieldType::F64};
inline constexpr Field kBillNetPaid{"net_paid", 103, 8, FieldType::F64};
inline constexpr Field kBillTaxPaid{"tax_paid", 111, 8, FieldType::F64};
// Set to the due date when the bill is first saved, never changed afterwards.
inline constexpr Field kBillFirstDueDate{"first_due_date", 119, 2, FieldType::U16};
// 1 once the first due date is set.
inline constexpr Field kBillFirstDueDateSet{"first_due_date_set", 121, 2, FieldType::U16};

extern const Layout kBillLayout;

}  // namespace kelo
