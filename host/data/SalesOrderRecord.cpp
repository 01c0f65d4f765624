#include "host/data/SalesOrderRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {
    kSalesOrderNumber,  kSalesOrderCustomerName, kSalesOrderAmount1, kSalesOrderAmount2,
    kSalesOrderAmount3, kSalesOrderAmount4,      kSalesOrderDate,    kSalesOrderStatus,
};

}  // namespace

const Layout kSalesOrderLayout{"sales_order", kSalesOrderLength, kFields};

}  // namespace kelo
