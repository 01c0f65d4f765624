#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "src/pages/scans/ScanSink.h"
#include "src/pages/scans/TaskScan.h"

namespace kelo {

// The Purchase Orders page without its window: purchase orders by their processing state.
inline constexpr int kPurchaseOrdersCommand = 32809;

// There is no category with bit 4.
inline constexpr uint32_t kPopToOrder = 1;
inline constexpr uint32_t kPopToDeliver = 2;
inline constexpr uint32_t kPopCancelled = 8;
inline constexpr uint32_t kPopCompleted = 16;

// The one category of an order's status code; 0 (listed nowhere) for 1, 4, 5, 7, negative
// codes and codes above 8.
uint32_t ClassifyPurchaseOrder(int8_t status);
// The order's value: second plus first amount, then the third, then the fourth.
double PurchaseOrderValueOf(const uint8_t* orderRecord);

std::vector<TaskCategory> PurchaseOrdersCategories(const std::string& user,
                                                   const CBAccessManager& access);
const CKColumnSet& PurchaseOrdersColumns();
// The fill: the purchase order file in order-number order.
void ScanPurchaseOrders(const ScanInput& input, ScanSink& sink);

const TaskScan& PurchaseOrdersTaskScan();

}  // namespace kelo
