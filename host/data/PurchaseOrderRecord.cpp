#include "host/data/PurchaseOrderRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {
    kPurchaseOrderNumber,  kPurchaseOrderSupplierName, kPurchaseOrderAmount1, kPurchaseOrderAmount2,
    kPurchaseOrderAmount3, kPurchaseOrderAmount4,      kPurchaseOrderDate,    kPurchaseOrderStatus,
};

}  // namespace

const Layout kPurchaseOrderLayout{"purchase_order", kPurchaseOrderLength, kFields};

}  // namespace kelo
