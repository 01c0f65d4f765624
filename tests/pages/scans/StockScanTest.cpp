// The Stock scan: the four independent tests at their boundaries, the out-of-stock rule, the
// item types never listed, the quantity columns for the host's decimal places, and the walk.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DocumentBuilder.h"
#include "RecordingSink.h"
#include "host/data/GlobalBlock.h"
#include "host/framework/CBAccessManager.h"
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

TEST(StockColumnsFor, QuantityColumnsFollowTheDecimalPlaces)
{
    struct Case {
        int decimals;
        int widths[4];
    } const cases[] = {{2, {12, 16, 12, 12}}, {0, {10, 14, 10, 10}}, {4, {14, 18, 14, 14}},
                       {-1, {10, 14, 10, 10}}};
    const int quantity[] = {int(StockColumn::InStock), int(StockColumn::ReorderLevel),
                            int(StockColumn::Allocated), int(StockColumn::OnOrder)};
    for (const Case& c : cases) {
        const CKColumnSet columns = StockColumnsFor(c.decimals);
        ASSERT_EQ(columns.Count(), StockColumns().Count());
        EXPECT_EQ(columns.RowSize(), 132);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(columns.Column(quantity[i]).displayWidth, c.widths[i]) << c.decimals;
            EXPECT_EQ(columns.Column(quantity[i]).decimals, std::max(c.decimals, 0));
        }
        EXPECT_EQ(columns.Column(int(StockColumn::Code)).displayWidth, 16);
        EXPECT_EQ(columns.Column(int(StockColumn::Description)).displayWidth, 41);
    }
    std::vector<uint8_t> row(132, 0);
    const CKColumnSet none = StockColumnsFor(0), four = StockColumnsFor(4);
    none.WriteAmount(row, int(StockColumn::InStock), 12.5);
    EXPECT_EQ(none.DisplayText(row, int(StockColumn::InStock)).toStdString().find('.'),
              std::string::npos);
    EXPECT_EQ(four.DisplayText(row, int(StockColumn::InStock)).toStdString(), "12.5000");
}

TEST(StockSettingsOf, HostBlockOrTheHostDefaults)
{
    EXPECT_EQ(StockSettingsOf(GlobalBlock(nullptr)).quantityDecimals, 2);
    EXPECT_EQ(StockSettingsOf(GlobalBlock(nullptr)).outOfStockRule, 0);
    std::vector<uint8_t> bytes(kGlobalBlockLength, 0);
    GlobalBlock block(bytes.data());
    block.SetI16(kGlobalQuantityDecimals, 3);
    block.SetU16(kGlobalOutOfStockRule, 1);
    EXPECT_EQ(StockSettingsOf(block).quantityDecimals, 3);
    EXPECT_EQ(StockSettingsOf(block).outOfStockRule, 1);
}

TEST(StockCategories, TreeOrderForEveryUser)
{
    const CBAccessManager barred;
    const auto cs = StockCategories("ANNE", barred);
    ASSERT_EQ(cs.size(), 4u);
    const char* texts[] = {"Out of Stock", "Below Reorder", "On Order", "Allocated"};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_STREQ(cs[i].text, texts[i]);
        EXPECT_EQ(cs[i].bit, 1u << i);
    }
}

class StockScanTest : public ::testing::Test {
protected:
    std::vector<std::string> Codes(uint32_t category, uint16_t rule = 0)
    {
        RecordingSink sink;
        ScanStockWithRule(ScanInput{company.Context(), category, 1, "OVERSEE"}, sink, rule);
        std::vector<std::string> v;
        for (const auto& row : sink.rows)
            v.push_back(StockColumns().ReadText(row, int(StockColumn::Code)));
        return v;
    }
    using V = std::vector<std::string>;

    test::TempCompany company;
    test::DocumentBuilder build{company.Context()};
};

TEST_F(StockScanTest, ItemsInCodeOrderUnderEachOfTheirCategories)
{
    build.AddStockItem({.code = "PEN-2", .inStock = 5, .reorderLevel = 5, .allocated = 3});
    build.AddStockItem({.code = "box-1", .inStock = 0, .onOrder = 0.5});
    build.AddStockItem({.code = "SVC-1", .type = 2, .onOrder = 4});
    build.AddStockItem({.code = "DESK", .inStock = -3, .reorderLevel = 2});
    EXPECT_EQ(Codes(kOut), (V{"box-1", "DESK"}));
    EXPECT_EQ(Codes(kOut, 1), (V{"DESK"}));
    EXPECT_EQ(Codes(kBelow), (V{"DESK", "PEN-2"}));
    EXPECT_EQ(Codes(kOrder), (V{"box-1"}));
    EXPECT_EQ(Codes(kAlloc), (V{"PEN-2"}));
}

TEST_F(StockScanTest, RowCarriesTheFourQuantitiesTheRecordAndTheBits)
{
    build.AddStockItem({.code = "A"});
    const uint32_t rec = build.AddStockItem({.code = "PAP-1  ",
                                             .description = "Copier Paper A4  ",
                                             .inStock = 1.25,
                                             .reorderLevel = 10,
                                             .onOrder = 40,
                                             .allocated = 2});
    RecordingSink sink;
    ScanStockWithRule(ScanInput{company.Context(), kBelow, 1, "OVERSEE"}, sink, 0);
    ASSERT_EQ(sink.rows.size(), 1u);
    const auto& row = sink.rows[0];
    const CKColumnSet& c = StockColumns();
    EXPECT_EQ(c.ReadText(row, int(StockColumn::Code)), "PAP-1");
    EXPECT_EQ(c.ReadText(row, int(StockColumn::Description)), "Copier Paper A4");
    EXPECT_EQ(c.ReadAmount(row, int(StockColumn::InStock)), 1.25);
    EXPECT_EQ(c.ReadAmount(row, int(StockColumn::ReorderLevel)), 10);
    EXPECT_EQ(c.ReadAmount(row, int(StockColumn::Allocated)), 2);
    EXPECT_EQ(c.ReadAmount(row, int(StockColumn::OnOrder)), 40);
    EXPECT_EQ(IndexedRowRecord(c, row), rec);
    EXPECT_EQ(IndexedRowBits(c, row), kBelow | kOrder | kAlloc);
}

TEST_F(StockScanTest, DeletedMarkOnlyAfterTheFirstItem)
{
    build.AddStockItem({.code = "A", .onOrder = 1, .deleted = true});
    build.AddStockItem({.code = "B", .onOrder = 1, .deleted = true});
    build.AddStockItem({.code = "C", .onOrder = 1});
    EXPECT_EQ(Codes(kOrder), (V{"A", "C"}));
}

}  // namespace
}  // namespace kelo
