#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "src/pages/scans/ScanSink.h"
#include "src/pages/scans/TaskScan.h"

namespace kelo {

// The Sales Orders page without its window: sales orders by their processing state.
inline constexpr int kSalesOrdersCommand = 32808;

inline constexpr uint32_t kSopToAllocate = 1;
inline constexpr uint32_t kSopToDespatch = 2;
inline constexpr uint32_t kSopHeld = 4;
inline constexpr uint32_t kSopCancelled = 8;
inline constexpr uint32_t kSopCompleted = 16;

// The one category of an order's status code; 0 (listed nowhere) outside 0 to 11.
uint32_t ClassifySalesOrder(int8_t status);
// The order's value: second plus first amount, then the third, then the fourth.
double SalesOrderValueOf(const uint8_t* orderRecord);

std::vector<TaskCategory> SalesOrdersCategories(const std::string& user,
                                                const CBAccessManager& access);
const CKColumnSet& SalesOrdersColumns();
// The fill: the sales order file in order-number order.
void ScanSalesOrders(const ScanInput& input, ScanSink& sink);

const TaskScan& SalesOrdersTaskScan();

}  // namespace kelo
