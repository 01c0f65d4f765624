#pragma once

#include "host/data/Field.h"

namespace kelo {

// Stock record (file 52, index 53 by stock code). Bytes not named here are reserved.
inline constexpr uint32_t kStockLength = 5564;

inline constexpr Field kStockCode{"code", 0, 31, FieldType::Text};
// A first byte of 0xFF marks a deleted record.
inline constexpr Field kStockDescription{"description", 31, 61, FieldType::Text};
inline constexpr Field kStockReorderLevel{"reorder_level", 1742, 8, FieldType::F64};
// 1 and 2 are kinds of item that carry no stock levels worth reporting.
inline constexpr Field kStockItemType{"item_type", 3870, 1, FieldType::U8};
inline constexpr Field kStockQuantityInStock{"quantity_in_stock", 5469, 8, FieldType::F64};
inline constexpr Field kStockQuantityOnOrder{"quantity_on_order", 5477, 8, FieldType::F64};
inline constexpr Field kStockQuantityAllocated{"quantity_allocated", 5485, 8, FieldType::F64};

extern const Layout kStockLayout;

}  // namespace kelo
