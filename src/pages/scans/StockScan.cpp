#include "src/pages/scans/StockScan.h"

#include <algorithm>

#include "host/data/FileMap.h"
#include "host/data/GlobalBlock.h"
#include "host/data/IndexKeys.h"
#include "host/data/StockRecord.h"
#include "host/framework/BusinessObjects.h"
#include "host/util/Money.h"
#include "src/pages/scans/IndexedListScan.h"

namespace kelo {

namespace {

constexpr uint16_t kShownFlags = 0x0008;
constexpr uint16_t kNumberFlags = 0x0108;
constexpr int kColumnDecimals = 2;

const IndexedList kStockFile{&CDPersistentStock::GetStaticResourcesFor, kFileStock,
                             kFileStockIndex,                           kStockLength,
                             kStockKeyLength,                           kStockDescription};

int col(StockColumn c) { return static_cast<int>(c); }

constexpr StockColumn kQuantityColumns[] = {StockColumn::InStock, StockColumn::ReorderLevel,
                                            StockColumn::Allocated, StockColumn::OnOrder};

void build(const uint8_t* rec, const CKColumnSet& columns, std::span<uint8_t> row)
{
    columns.WriteText(row, col(StockColumn::Code), GetText(rec, kStockCode));
    columns.WriteText(row, col(StockColumn::Description), GetText(rec, kStockDescription));
    columns.WriteAmount(row, col(StockColumn::InStock), GetF64(rec, kStockQuantityInStock));
    columns.WriteAmount(row, col(StockColumn::ReorderLevel), GetF64(rec, kStockReorderLevel));
    columns.WriteAmount(row, col(StockColumn::Allocated), GetF64(rec, kStockQuantityAllocated));
    columns.WriteAmount(row, col(StockColumn::OnOrder), GetF64(rec, kStockQuantityOnOrder));
}

}  // namespace

StockSettings StockSettingsOf(const GlobalBlock& block)
{
    StockSettings s;
    if (!block.Exists()) return s;
    s.quantityDecimals = block.I16(kGlobalQuantityDecimals);
    s.outOfStockRule = block.U16(kGlobalOutOfStockRule);
    return s;
}

StockLevels StockLevelsOf(const uint8_t* rec)
{
    StockLevels s;
    s.itemType = GetU8(rec, kStockItemType);
    s.inStock = GetF64(rec, kStockQuantityInStock);
    s.reorderLevel = GetF64(rec, kStockReorderLevel);
    s.onOrder = GetF64(rec, kStockQuantityOnOrder);
    s.allocated = GetF64(rec, kStockQuantityAllocated);
    return s;
}

uint32_t ClassifyStockItem(const StockLevels& item, uint16_t outOfStockRule)
{
    if (item.itemType == 1 || item.itemType == 2) return 0;
    uint32_t bits = 0;
    if (!IsPositiveAmount(item.inStock) &&
        (outOfStockRule == 0 || IsPositiveAmount(item.reorderLevel)))
        bits |= kStockOutOfStock;
    // A reorder level of exactly 0.0 means none was set.
    if (!IsPositiveAmount(item.inStock - item.reorderLevel) && item.reorderLevel != 0.0)
        bits |= kStockBelowReorder;
    if (IsPositiveAmount(item.onOrder)) bits |= kStockOnOrder;
    if (IsPositiveAmount(item.allocated)) bits |= kStockAllocated;
    return bits;
}

std::vector<TaskCategory> StockCategories(const std::string&, const CBAccessManager&)
{
    return {{"Out of Stock", kStockOutOfStock},
            {"Below Reorder", kStockBelowReorder},
            {"On Order", kStockOnOrder},
            {"Allocated", kStockAllocated}};
}

const CKColumnSet& StockColumns()
{
    static const CKColumnSet columns{
        CKColumn::Text("Code", 16, 31).Flagged(kShownFlags),
        CKColumn::Text("Description", 41, 61).Flagged(kShownFlags),
        CKColumn::Amount("Qty Stock", 12).Flagged(kNumberFlags),
        CKColumn::Amount("Reorder Level", 16).Flagged(kNumberFlags),
        CKColumn::Amount("Allocated", 12).Flagged(kNumberFlags),
        CKColumn::Amount("On Order", 12).Flagged(kNumberFlags),
        CKColumn::HiddenUInt32().Named("record_number"),
        CKColumn::HiddenUInt32().Named("category"),
    };
    return columns;
}

CKColumnSet StockColumnsFor(int decimals)
{
    const CKColumnSet& standard = StockColumns();
    CKColumnSet columns;
    for (int c = 0; c < standard.Count(); ++c) {
        CKColumn column = standard.Column(c);
        if (std::find(std::begin(kQuantityColumns), std::end(kQuantityColumns),
                      static_cast<StockColumn>(c)) != std::end(kQuantityColumns)) {
            // A setting below zero shows whole numbers; the column keeps at least one character.
            const int places = std::max(decimals, 0);
            column.displayWidth = std::max(column.displayWidth + places - kColumnDecimals, 1);
            column.decimals = places;
        }
        columns.Add(column);
    }
    return columns;
}

void ScanStock(const ScanInput& input, ScanSink& sink)
{
    ScanStockWithRule(input, sink, StockSettingsOf(input.block).outOfStockRule);
}

void ScanStockWithRule(const ScanInput& input, ScanSink& sink, uint16_t outOfStockRule)
{
    ScanIndexedList(
        input, sink, kStockFile, StockColumns(),
        [outOfStockRule](const uint8_t* rec) {
            return ClassifyStockItem(StockLevelsOf(rec), outOfStockRule);
        },
        &build);
}

const TaskScan& StockTaskScan()
{
    static const TaskScan scan{kStockCommand, "Stock", &StockCategories, &StockColumns,
                               &ScanStock};
    return scan;
}

}  // namespace kelo
