#pragma once

#include "host/data/Field.h"

namespace kelo {

// Invoice and credit note record of the invoicing file (file 50, index 51 by document number).
// Sales and purchase orders share the fields they have in common. Bytes not named are reserved.
inline constexpr uint32_t kInvoiceLength = 2092;

inline constexpr Field kInvoiceNumber{"number", 0, 4, FieldType::U32};
// A first byte of 0xFF marks a deleted record.
inline constexpr Field kInvoiceCustomerName{"customer_name", 13, 61, FieldType::Text};
// 0, 1, 2 = invoice kinds; 3, 4 = credit note kinds; anything else is neither.
inline constexpr Field kInvoiceType{"type", 1250, 1, FieldType::I8};
// The document's value is the sum of the four amounts.
inline constexpr Field kInvoiceAmount1{"amount_1", 1253, 8, FieldType::F64};
inline constexpr Field kInvoiceAmount2{"amount_2", 1261, 8, FieldType::F64};
inline constexpr Field kInvoiceAmount3{"amount_3", 1285, 8, FieldType::F64};
inline constexpr Field kInvoiceAmount4{"amount_4", 1293, 8, FieldType::F64};
inline constexpr Field kInvoiceDate{"date", 1365, 2, FieldType::U16};
inline constexpr Field kInvoicePrinted{"printed", 2038, 1, FieldType::U8};
inline constexpr Field kInvoicePosted{"posted", 2039, 1, FieldType::U8};

extern const Layout kInvoiceLayout;

}  // namespace kelo
