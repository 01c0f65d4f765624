#pragma once

#include "host/data/Field.h"

namespace kelo {

// Sales order record (file 25, index 26 by order number). Shares its layout with the invoice record
// for the fields in common. Bytes not named here are reserved.
inline constexpr uint32_t kSalesOrderLength = 2092;

inline constexpr Field kSalesOrderNumber{"number", 0, 4, FieldType::U32};
// A first byte of 0xFF marks a deleted record.
inline constexpr Field kSalesOrderCustomerName{"customer_name", 13, 61, FieldType::Text};
// The order's value is the sum of the four amounts.
inline constexpr Field kSalesOrderAmount1{"amount_1", 1253, 8, FieldType::F64};
inline constexpr Field kSalesOrderAmount2{"amount_2", 1261, 8, FieldType::F64};
inline constexpr Field kSalesOrderAmount3{"amount_3", 1285, 8, FieldType::F64};
inline constexpr Field kSalesOrderAmount4{"amount_4", 1293, 8, FieldType::F64};
inline constexpr Field kSalesOrderDate{"date", 1365, 2, FieldType::U16};
// Processing status code (0 to 11).
inline constexpr Field kSalesOrderStatus{"status", 2040, 1, FieldType::I8};

extern const Layout kSalesOrderLayout;

}  // namespace kelo
