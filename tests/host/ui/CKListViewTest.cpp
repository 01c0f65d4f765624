#include "host/ui/CKListView.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

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
        m_list.resize(400, 300);
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

TEST_F(CKListViewTest, DeletingTheSelectedRowSelectsTheRowTakingItsPlace)
{
    ASSERT_TRUE(m_list.SelectRow(2));
    m_list.DeleteRow(2);
    EXPECT_EQ(m_list.GetSelectedRow(), 2);
    EXPECT_EQ(IdAt(2), 3u);
}

TEST_F(CKListViewTest, DeletingTheSelectedLastRowLeavesNothingSelected)
{
    ASSERT_TRUE(m_list.SelectRow(4));
    m_list.DeleteRow(4);
    EXPECT_EQ(m_list.RowCount(), 4);
    EXPECT_EQ(m_list.GetSelectedRow(), -1);
    // the page then selects the last row, as its Delete does when the position ran off the end
    ASSERT_TRUE(m_list.SelectRow(m_list.RowCount() - 1));
    EXPECT_EQ(m_list.GetSelectedRow(), 3);
    EXPECT_EQ(IdAt(3), 3u);
    m_list.DeleteRow(0);
    EXPECT_EQ(m_list.GetSelectedRow(), 2) << "a selection below follows its row";
}

TEST_F(CKListViewTest, SelectionOfALaterRowFollowsItsRowOnDelete)
{
    ASSERT_TRUE(m_list.SelectRow(3));
    m_list.DeleteRow(1);
    EXPECT_EQ(m_list.GetSelectedRow(), 2);
    EXPECT_EQ(IdAt(2), 3u);
}

TEST_F(CKListViewTest, SelectRowChecksItsRange)
{
    EXPECT_FALSE(m_list.SelectRow(5));
    EXPECT_FALSE(m_list.SelectRow(-2));
    EXPECT_EQ(m_list.GetSelectedRow(), -1);
    EXPECT_TRUE(m_list.SelectRow(2));
    EXPECT_TRUE(m_list.SelectRow(-1));
    EXPECT_EQ(m_list.GetSelectedRow(), -1);
    m_list.SelectRow(0);
    m_list.DeleteAllItems();
    EXPECT_EQ(m_list.RowCount(), 0);
    EXPECT_EQ(m_list.GetSelectedRow(), -1);
}

TEST_F(CKListViewTest, SelectRowScrollsItIntoView)
{
    for (uint32_t i = 5; i < 2000; ++i) Add(i, "more", i);
    m_list.show();
    ASSERT_TRUE(m_list.SelectRow(1500));
    const QRect rect = m_list.visualRect(m_list.Model()->index(1500, 0));
    EXPECT_TRUE(m_list.viewport()->rect().contains(rect.center()));
    m_list.hide();
}

TEST_F(CKListViewTest, HeaderClickSortsAndASecondClickReverses)
{
    m_list.SelectRow(0);  // id 0, No 5
    m_list.horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(IdAt(0), 4u);  // No 1 first
    EXPECT_EQ(m_list.GetSelectedRow(), 4) << "the selected row stays selected";
    m_list.horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(IdAt(0), 0u);
    EXPECT_EQ(m_list.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    m_list.horizontalHeader()->sectionClicked(1);  // Name, ascending again
    EXPECT_EQ(m_list.SortColumn(), 1);
    EXPECT_EQ(IdAt(0), 0u);
    EXPECT_EQ(m_list.horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
}

TEST_F(CKListViewTest, EnterAndDoubleClickActivateTheRow)
{
    QSignalSpy activated(&m_list, &CKListView::rowActivated);
    m_list.show();
    m_list.SelectRow(2);
    QTest::keyClick(&m_list, Qt::Key_Return);
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).toInt(), 2);

    const QRect rect = m_list.visualRect(m_list.Model()->index(3, 0));
    QTest::mouseDClick(m_list.viewport(), Qt::LeftButton, {}, rect.center());
    ASSERT_EQ(activated.count(), 2);
    EXPECT_EQ(activated.at(1).at(0).toInt(), 3);
    EXPECT_EQ(m_list.GetSelectedRow(), 3);
    m_list.hide();
}

TEST_F(CKListViewTest, ContextRequestSelectsTheRowUnderTheCursor)
{
    QSignalSpy requested(&m_list, &CKListView::contextRequested);
    m_list.show();
    const QRect rect = m_list.visualRect(m_list.Model()->index(1, 0));
    emit m_list.customContextMenuRequested(rect.center());
    ASSERT_EQ(requested.count(), 1);
    EXPECT_EQ(requested.at(0).at(0).toInt(), 1);
    EXPECT_EQ(m_list.GetSelectedRow(), 1);
    m_list.hide();
}

TEST_F(CKListViewTest, ColoursOfKindTwoShadeEverySecondRow)
{
    m_list.SetColors(2, 0xE0FFE0, CKListView::kDefaultColour, CKListView::kDefaultColour,
                     CKListView::kDefaultColour);
    const QModelIndex second = m_list.Model()->index(1, 0);
    EXPECT_EQ(second.data(Qt::BackgroundRole).value<QColor>(), QColor(0xE0, 0xFF, 0xE0));
    m_list.SetColors(2, 0x102030);
    EXPECT_EQ(second.data(Qt::BackgroundRole).value<QColor>(), QColor(0x10, 0x20, 0x30));
    m_list.SetColors(0, 0x102030);
    EXPECT_FALSE(second.data(Qt::BackgroundRole).isValid());
}

TEST_F(CKListViewTest, ColumnWidthsFollowTheDisplayWidths)
{
    EXPECT_EQ(m_list.Model()->columnCount(), 2) << "the hidden column is not shown";
    EXPECT_EQ(m_list.columnWidth(0), 8 * m_list.fontMetrics().averageCharWidth() + 8);
}

}  // namespace
}  // namespace kelo
