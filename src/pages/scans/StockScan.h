#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/ui/CKColumnSet.h"
#include "src/pages/scans/ScanSink.h"
#include "src/pages/scans/TaskScan.h"

namespace kelo {

class GlobalBlock;

// The Stock page without its window: items out of stock, at or below their reorder level, on
// order or allocated.
inline constexpr int kStockCommand = 32810;

inline constexpr uint32_t kStockOutOfStock = 1;
inline constexpr uint32_t kStockBelowReorder = 2;
inline constexpr uint32_t kStockOnOrder = 4;
inline constexpr uint32_t kStockAllocated = 8;

// Columns of the 132-byte row: the four quantities, then the hidden record number and bits.
enum class StockColumn {
    Code, Description, InStock, ReorderLevel, Allocated, OnOrder, RecordNumber, Bits, Count
};

// The host's two stock settings. Without a host block (kelo-tasks) the host's defaults hold.
struct StockSettings {
    int quantityDecimals = 2;
    // 0: every item with no stock is out of stock; else only those with a reorder level too.
    uint16_t outOfStockRule = 0;
};
StockSettings StockSettingsOf(const GlobalBlock& block);

// What the classification reads of a stock record, as stored.
struct StockLevels {
    uint8_t itemType = 0;  // 1 and 2 are never listed
    double inStock = 0;
    double reorderLevel = 0;
    double onOrder = 0;
    double allocated = 0;
};
StockLevels StockLevelsOf(const uint8_t* stockRecord);

// Category bits of one item; the four tests are independent.
uint32_t ClassifyStockItem(const StockLevels& item, uint16_t outOfStockRule);

std::vector<TaskCategory> StockCategories(const std::string& user, const CBAccessManager& access);
// The columns with two decimals on the quantities.
const CKColumnSet& StockColumns();
// The columns for `decimals` places: each quantity column shows that many and is wider or
// narrower by the difference from two.
CKColumnSet StockColumnsFor(int decimals);

// The fill with the process's host settings (the global block when there is one).
void ScanStock(const ScanInput& input, ScanSink& sink);
// The fill with the given out-of-stock rule.
void ScanStockWithRule(const ScanInput& input, ScanSink& sink, uint16_t outOfStockRule);

const TaskScan& StockTaskScan();

}  // namespace kelo
