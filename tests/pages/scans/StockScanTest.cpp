// The Stock scan: the four independent tests at their boundaries, the out-of-stock rule, the
// item types never listed, and the walk.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DocumentBuilder.h"
#include "RecordingSink.h"
#include "host/ui/CKColumnSet.h"
#include "src/pages/scans/IndexedListScan.h"
#include "src/pages/scans/StockScan.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
namespace {

using test::RecordingSink;

constexpr uint32_t kOut = kStockOutOfStock, kBelow = kStockBelowReorder, kOrder = kStockOnOrder,
                   kAlloc = kStockAllocated;

TEST(ClassifyStockItem, StockLevelsAtTheirBoundaries)
{
    struct Case {
        const char* what;
        StockLevels item;
        uint16_t rule;
        uint32_t bits;
    } const cases[] = {
        {"nothing and no reorder level", {0, 0, 0, 0, 0}, 0, kOut},
        {"nothing and no reorder level, restricted", {0, 0, 0, 0, 0}, 1, 0},
        {"restricted, with a reorder level", {0, 0, 5, 0, 0}, 1, kOut | kBelow},
        {"4e-9 in stock is none", {0, 0.000000004, 0, 0, 0}, 0, kOut},
        {"1e-8 in stock is some", {0, 0.00000001, 0, 0, 0}, 0, 0},
        {"stock exactly at the reorder level", {0, 5, 5, 0, 0}, 0, kBelow},
        {"stock a hair over the reorder level", {0, 5.00000001, 5, 0, 0}, 0, 0},
        {"stock within tolerance over the level", {0, 5.000000004, 5, 0, 0}, 0, kBelow},
        {"below a negative reorder level", {0, -3, -2, 0, 0}, 0, kOut | kBelow},
        {"negative stock, level 2", {0, -3, 2, 0, 0}, 0, kOut | kBelow},
        {"reorder level of 0.0 is none", {0, -1, 0.0, 0, 0}, 0, kOut},
        {"a tiny reorder level is one", {0, 0, 0.000000001, 0, 0}, 0, kOut | kBelow},
        {"tiny reorder level does not lift the restriction", {0, 0, 0.000000001, 0, 0}, 1, kBelow},
        {"half on order", {0, 10, 0, 0.5, 0}, 0, kOrder},
        {"on order within tolerance is none", {0, 10, 0, 0.000000005, 0}, 0, 0},
        {"allocated", {0, 10, 0, 0, 1}, 0, kAlloc},
        {"everything at once", {0, 0, 10, 4, 2}, 0, kOut | kBelow | kOrder | kAlloc},
        {"type 1 never listed", {1, 0, 10, 4, 2}, 0, 0},
        {"type 2 never listed", {2, -5, 0, 1, 0}, 0, 0},
        {"type 3 is classified", {3, 0, 0, 1, 0}, 0, kOut | kOrder},
        {"type 255 is classified", {255, 1, 0, 0, 0}, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyStockItem(c.item, c.rule), c.bits) << c.what;
}

class StockScanTest : public ::testing::Test {
protected:
    std::vector<std::string> Rows(uint32_t category, uint16_t rule = 0)
    {
        RecordingSink sink;
        ScanStockWithRule(ScanInput{company.Context(), category, 1, "OVERSEE"}, sink, rule);
        std::vector<std::string> v;
        for (const auto& row : sink.rows) {
            std::string shown;
            for (int c = 0; c <= int(StockColumn::OnOrder); ++c)
                shown += StockColumns().DisplayText(row, c).toStdString() + "|";
            v.push_back(shown + std::to_string(IndexedRowBits(StockColumns(), row)));
        }
        return v;
    }
    using V = std::vector<std::string>;

    test::TempCompany company;
    test::DocumentBuilder build{company.Context()};
};

TEST_F(StockScanTest, ItemsInCodeOrderUnderEachOfTheirCategories)
{
    // The first item is found by the first-key search and listed although its description is
    // marked deleted; a later marked one is passed over.
    build.AddStockItem({.code = "A", .onOrder = 1, .deleted = true});
    build.AddStockItem({.code = "PEN-2  ", .description = "Pens  ", .inStock = 5,
                        .reorderLevel = 5, .allocated = 3});
    build.AddStockItem({.code = "box-1", .description = "Box", .onOrder = 0.5});
    build.AddStockItem({.code = "SVC-1", .type = 2, .onOrder = 4});
    build.AddStockItem({.code = "DESK", .description = "Desk", .inStock = -3, .reorderLevel = 2});
    build.AddStockItem({.code = "GONE", .onOrder = 1, .deleted = true});
    const std::string box = "box-1|Box|0.00|0.00|0.00|0.50|5";
    const std::string desk = "DESK|Desk|-3.00|2.00|0.00|0.00|3";
    const std::string pen = "PEN-2|Pens|5.00|5.00|3.00|0.00|10";
    EXPECT_EQ(Rows(kOut).size(), 3u);
    EXPECT_EQ(Rows(kOut, 1), V{desk});
    EXPECT_EQ(Rows(kBelow), (V{desk, pen}));
    EXPECT_EQ(Rows(kOrder).size(), 2u);
    EXPECT_EQ(Rows(kOrder)[1], box);
    EXPECT_EQ(Rows(kAlloc), V{pen});
}

}  // namespace
}  // namespace kelo
