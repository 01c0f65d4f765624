#include "host/ui/CKListView.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include "host/ui/CKListModel.h"

namespace kelo {
namespace {

class CKListViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_list.SetColumns({CKColumn::UInt32("No", 8), CKColumn::Text("Name", 20, 21),
                           CKColumn::HiddenUInt32()});
        for (uint32_t i = 0; i < 5; ++i) Add(5 - i, "row" + std::to_string(i), i);
        QCoreApplication::processEvents();  // the view learns of the rows
    }
    void Add(uint32_t no, const std::string& name, uint32_t id)
    {
        std::vector<uint8_t> row(static_cast<size_t>(m_list.RowSize()));
        m_list.Columns().WriteUInt32(row, 0, no);
        m_list.Columns().WriteText(row, 1, name);
        m_list.Columns().WriteUInt32(row, 2, id);
        m_list.AddRow(row);
    }
    uint32_t IdAt(int row) const { return m_list.Columns().ReadUInt32(m_list.RowBytes(row), 2); }

    CKListView m_list;
};

// Rows hold ids 0..4. A selection on or below a deleted row follows its row; a deleted last row
// leaves nothing selected (the page then selects the new last row itself).
TEST_F(CKListViewTest, DeletingARowMovesTheSelectionWithItsRow)
{
    struct Case {
        int selected, deleted, selectedAfter;
        uint32_t idAfter;
    } const cases[] = {{2, 2, 2, 3}, {3, 1, 2, 3}, {4, 4, -1, 0}, {1, 3, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected * 10 + c.deleted);
        m_list.DeleteAllItems();
        SetUp();
        ASSERT_TRUE(m_list.SelectRow(c.selected));
        m_list.DeleteRow(c.deleted);
        EXPECT_EQ(m_list.RowCount(), 4);
        EXPECT_EQ(m_list.GetSelectedRow(), c.selectedAfter);
        if (c.selectedAfter >= 0) {
            EXPECT_EQ(IdAt(c.selectedAfter), c.idAfter);
        }
    }
}

}  // namespace
}  // namespace kelo
