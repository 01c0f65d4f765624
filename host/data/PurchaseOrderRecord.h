#pragma once

#include "host/data/Field.h"

namespace kelo {

// Purchase order record (file 28, index 29 by order number). Shares its layout with the invoice
// record for the fields in common. Bytes not named here are reserved.
inline constexpr uint32_t kPurchaseOrderLength = 2092;

inline constexpr Field kPurchaseOrderNumber{"number", 0, 4, FieldType::U32};
// A first byte of 0xFF marks a deleted record.
inline constexpr Field kPurchaseOrderSupplierName{"supplier_name", 13, 61, FieldType::Text};
// The order's value is the sum of the four amounts.
inline constexpr Field kPurchaseOrderAmount1{"amount_1", 1253, 8, FieldType::F64};
inline constexpr Field kPurchaseOrderAmount2{"amount_2", 1261, 8, FieldType::F64};
inline constexpr Field kPurchaseOrderAmount3{"amount_3", 1285, 8, FieldType::F64};
inline constexpr Field kPurchaseOrderAmount4{"amount_4", 1293, 8, FieldType::F64};
inline constexpr Field kPurchaseOrderDate{"date", 1365, 2, FieldType::U16};
// Processing status code (0, 2, 3, 6 and 8 are listed).
inline constexpr Field kPurchaseOrderStatus{"status", 2040, 1, FieldType::I8};

extern const Layout kPurchaseOrderLayout;

}  // namespace kelo
