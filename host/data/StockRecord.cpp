#include "host/data/StockRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {
    kStockCode,
    kStockDescription,
    kStockReorderLevel,
    kStockItemType,
    kStockQuantityInStock,
    kStockQuantityOnOrder,
    kStockQuantityAllocated,
};

}  // namespace

const Layout kStockLayout{"stock", kStockLength, kFields};

}  // namespace kelo
