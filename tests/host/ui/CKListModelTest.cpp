#include "host/ui/CKListModel.h"

#include <gtest/gtest.h>

namespace kelo {
namespace {

// Name (text 12), number, amount, then a hidden id that tells the rows apart.
CKColumnSet Columns()
{
    return {CKColumn::Text("Name", 10, 12), CKColumn::UInt32("No", 8),
            CKColumn::Amount("Amount", 15), CKColumn::HiddenUInt32()};
}

struct Row {
    const char* name;
    uint32_t number;
    double amount;
    uint32_t id;
};

std::vector<uint8_t> Pack(const CKColumnSet& set, const Row& r)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(set.RowSize()));
    set.WriteText(bytes, 0, r.name);
    set.WriteUInt32(bytes, 1, r.number);
    set.WriteAmount(bytes, 2, r.amount);
    set.WriteUInt32(bytes, 3, r.id);
    return bytes;
}

// The hidden ids in the shown order; `column` is where the set keeps them.
std::vector<uint32_t> Ids(const CKListModel& m, int column = 3)
{
    std::vector<uint32_t> ids;
    for (int i = 0; i < m.RowCount(); ++i) ids.push_back(m.Columns().ReadUInt32(m.RowBytes(i), column));
    return ids;
}

class CKListModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_model.SetColumns(Columns());
        const std::vector<Row> rows{
            {"beta", 10, 5.5, 1},   {"Alpha", 9, -1.0, 2}, {"alpha", 100, 5.5, 3},
            {"", 10, 0.0, 4},       {"BETA", 2, 1e6, 5},   {"alphabet soup", 10, 5.5, 6},
            {"alphabet Soup", 0, -1.0, 7}};
        for (const Row& r : rows) m_model.AddRow(Pack(m_model.Columns(), r));
    }
    CKListModel m_model;
};

TEST_F(CKListModelTest, SortsNumbersNumericallyAndTextIgnoringCaseStably)
{
    struct Case {
        int column;
        Qt::SortOrder order;
        std::vector<uint32_t> ids;
    };
    const std::vector<Case> cases{
        // 100 after 10 and 9: numbers, not their text
        {1, Qt::AscendingOrder, {7, 5, 2, 1, 4, 6, 3}},
        {1, Qt::DescendingOrder, {3, 1, 4, 6, 2, 5, 7}},
        {2, Qt::AscendingOrder, {2, 7, 4, 1, 3, 6, 5}},
        // "Alpha"/"alpha" and "beta"/"BETA" keep their added order; the empty text first;
        // the two soups are cut to the same 11 bytes and keep their order too
        {0, Qt::AscendingOrder, {4, 2, 3, 6, 7, 1, 5}},
        {0, Qt::DescendingOrder, {1, 5, 6, 7, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        SetUp();  // the added order again, so each case starts from it
        m_model.SortByColumn(c.column, c.order);
        EXPECT_EQ(Ids(m_model), c.ids) << "column " << c.column << " order " << c.order;
    }
}

TEST(CKListModelText, LongTextsAreComparedToTheirEnd)
{
    // The sort compares the first sixteen folded bytes as integers and reads the rows only past
    // them; every boundary of that is covered here.
    CKListModel m;
    m.SetColumns({CKColumn::Text("Name", 30, 40), CKColumn::HiddenUInt32()});
    const std::vector<std::pair<const char*, uint32_t>> rows{
        {"abcdefghijklmnopZ", 1}, {"ABCDEFGHIJKLMNOPa", 2}, {"abcdefghijklmnop", 3},
        {"abcdefghZ", 4},         {"ABCDEFGHa", 5},         {"abcdefgh", 6},
        {"abcdefghijklmnopA", 7}, {"abcdefghijklmnoq", 8},  {"abcdefghijklmnoP", 9}};
    for (const auto& [text, id] : rows) {
        std::vector<uint8_t> row(static_cast<size_t>(m.Columns().RowSize()));
        m.Columns().WriteText(row, 0, text);
        m.Columns().WriteUInt32(row, 1, id);
        m.AddRow(row);
    }
    m.SortByColumn(0, Qt::AscendingOrder);
    EXPECT_EQ(Ids(m, 1), (std::vector<uint32_t>{6, 5, 3, 9, 2, 7, 1, 8, 4}));
}

}  // namespace
}  // namespace kelo
