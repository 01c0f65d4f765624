#include "host/ui/CKListView.h"

#include <QCoreApplication>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
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

// A click as the mouse makes it: the header turns its own indicator round before it reports
// the click, which must not undo the reversal.
void ClickHeader(CKListView& list, int section)
{
    QHeaderView* header = list.horizontalHeader();
    const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// Dates are kept as dd/mm/yyyy texts and amounts as doubles; both sort by what they mean. Each
// click on the sorted column turns the order round, and the selected row stays selected.
TEST(CKListViewSort, DatesAndAmountsSortByValue)
{
    CKListView list;
    list.SetColumns({CKColumn::Date("Date", 13, 11), CKColumn::Amount("Amount", 15),
                     CKColumn::HiddenUInt32()});
    struct Row {
        const char* date;
        double amount;
    };
    const Row rows[] = {{"05/01/2027", 100.0}, {"06/12/2026", -5.0}, {"", 20.5},
                        {"29/02/2024", 3.0},   {"31/12/2026", 1000.0}};
    uint32_t id = 0;
    for (const Row& r : rows) {
        std::vector<uint8_t> bytes(static_cast<size_t>(list.RowSize()));
        list.Columns().WriteText(bytes, 0, r.date);
        list.Columns().WriteAmount(bytes, 1, r.amount);
        list.Columns().WriteUInt32(bytes, 2, id++);
        list.AddRow(bytes);
    }
    QCoreApplication::processEvents();
    list.resize(500, 300);
    list.show();
    auto ids = [&list] {
        std::vector<uint32_t> out;
        for (int r = 0; r < list.RowCount(); ++r)
            out.push_back(list.Columns().ReadUInt32(list.RowBytes(r), 2));
        return out;
    };
    QHeaderView* header = list.horizontalHeader();
    list.SelectRow(0);  // id 0
    ClickHeader(list, 0);
    EXPECT_EQ(ids(), (std::vector<uint32_t>{2, 3, 1, 4, 0})) << "no date first, then by date";
    EXPECT_EQ(list.GetSelectedRow(), 4);
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    ClickHeader(list, 0);
    EXPECT_EQ(ids(), (std::vector<uint32_t>{0, 4, 1, 3, 2}));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    ClickHeader(list, 0);
    EXPECT_EQ(ids(), (std::vector<uint32_t>{2, 3, 1, 4, 0})) << "a third click turns it round again";
    ClickHeader(list, 1);
    EXPECT_EQ(ids(), (std::vector<uint32_t>{1, 3, 2, 0, 4}));
    EXPECT_EQ(list.SortColumn(), 1);
    EXPECT_EQ(header->sortIndicatorSection(), 1);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    ClickHeader(list, 1);
    EXPECT_EQ(ids(), (std::vector<uint32_t>{4, 0, 2, 3, 1}));
}

TEST_F(CKListViewTest, KeysAndMouseSelectAndActivateRows)
{
    QSignalSpy activated(&m_list, &CKListView::rowActivated);
    QSignalSpy requested(&m_list, &CKListView::contextRequested);
    m_list.show();
    m_list.setFocus();
    m_list.SelectRow(2);
    QTest::keyClick(&m_list, Qt::Key_Return);
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).toInt(), 2);
    QTest::keyClick(&m_list, Qt::Key_End);
    EXPECT_EQ(m_list.GetSelectedRow(), 4);
    QTest::keyClick(&m_list, Qt::Key_Home);
    EXPECT_EQ(m_list.GetSelectedRow(), 0);

    auto centre = [this](int row) { return m_list.visualRect(m_list.Model()->index(row, 0)).center(); };
    QTest::mouseDClick(m_list.viewport(), Qt::LeftButton, {}, centre(3));
    ASSERT_EQ(activated.count(), 2);
    EXPECT_EQ(activated.at(1).at(0).toInt(), 3);
    EXPECT_EQ(m_list.GetSelectedRow(), 3);
    emit m_list.customContextMenuRequested(centre(1));
    ASSERT_EQ(requested.count(), 1);
    EXPECT_EQ(requested.at(0).at(0).toInt(), 1);
    EXPECT_EQ(m_list.GetSelectedRow(), 1) << "the menu is for the row under the cursor";
    m_list.hide();
}

TEST_F(CKListViewTest, ColoursOfKindTwoShadeEverySecondRow)
{
    m_list.SetColors(2, 0xE0FFE0, CKListView::kDefaultColour, CKListView::kDefaultColour,
                     CKListView::kDefaultColour);
    const QModelIndex second = m_list.Model()->index(1, 0);
    EXPECT_FALSE(m_list.Model()->index(2, 0).data(Qt::BackgroundRole).isValid());
    EXPECT_EQ(second.data(Qt::BackgroundRole).value<QColor>(), QColor(0xE0, 0xFF, 0xE0));
    m_list.SetColors(2, 0x102030);
    EXPECT_EQ(second.data(Qt::BackgroundRole).value<QColor>(), QColor(0x10, 0x20, 0x30));
    m_list.SetColors(0, 0x102030);
    EXPECT_FALSE(second.data(Qt::BackgroundRole).isValid());
}

// The list that has the focus shows its selection in the highlight colour; the other pane's
// selection is greyed, so the user sees where the keys go.
TEST_F(CKListViewTest, TheSelectionLooksDifferentWithoutTheFocus)
{
    QWidget window;
    m_list.setParent(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 310);
    window.resize(400, 340);
    window.show();
    QApplication::setActiveWindow(&window);
    m_list.SelectRow(1);
    const QRect cell = m_list.visualRect(m_list.Model()->index(1, 1));
    const QPoint probe(cell.right() - 2, cell.center().y());
    auto colourAt = [&] { return m_list.viewport()->grab().toImage().pixelColor(probe); };

    m_list.setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(m_list.hasFocus());
    const QColor focused = colourAt();
    other->setFocus();
    QCoreApplication::processEvents();
    ASSERT_FALSE(m_list.hasFocus());
    const QColor unfocused = colourAt();
    EXPECT_EQ(focused.rgb(), m_list.palette().color(QPalette::Active, QPalette::Highlight).rgb());
    EXPECT_NE(focused.rgb(), unfocused.rgb());
    EXPECT_EQ(unfocused.rgb(), m_list.palette().color(QPalette::Inactive, QPalette::Highlight).rgb());
    m_list.setParent(nullptr);
}

// The widest text column takes the room the others leave; the amount keeps its own width and
// stays right-aligned; nothing is squeezed below its display width.
TEST(CKListViewWidths, TheWidestTextColumnTakesTheSpareWidth)
{
    CKListView list;
    list.SetColumns({CKColumn::Text("A/C", 13, 9), CKColumn::Text("Name", 31, 61),
                     CKColumn::Date("Date", 13, 11), CKColumn::Amount("Balance", 15)});
    list.resize(1400, 300);
    list.show();
    QCoreApplication::processEvents();
    const int digits = list.fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int amount = list.columnWidth(3);
    EXPECT_GE(amount, 15 * digits) << "an amount of its display width fits";
    EXPECT_GE(amount, list.horizontalHeader()->fontMetrics().horizontalAdvance("Balance") + 16);
    EXPECT_LT(amount, 400) << "the amount column does not take the spare width";
    const int base = 31 * list.fontMetrics().averageCharWidth() + 8;
    EXPECT_GT(list.columnWidth(1), base + 400);
    EXPECT_EQ(list.columnWidth(0) + list.columnWidth(1) + list.columnWidth(2) + amount,
              list.viewport()->width());
    EXPECT_EQ(list.Model()->headerData(3, Qt::Horizontal, Qt::TextAlignmentRole).toInt() &
                  Qt::AlignRight,
              Qt::AlignRight);

    list.resize(300, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(list.columnWidth(1), base) << "a narrow list scrolls rather than cut names";
    EXPECT_EQ(list.columnWidth(3), amount);
}

// What a repaint shows: a text too long for its column ends inside it, an amount stands at the
// right of its cell, the second row has the alternate colour.
TEST(CKListViewPaint, CellsKeepToTheirColumnsAndAlignments)
{
    CKListView list;
    list.SetColumns({CKColumn::Text("Name", 5, 61), CKColumn::Amount("Amount", 15)});
    list.SetColors(2, 0xE0FFE0);
    std::vector<uint8_t> row(static_cast<size_t>(list.RowSize()));
    list.Columns().WriteText(row, 0, std::string(60, 'W'));
    list.Columns().WriteAmount(row, 1, 12.5);
    list.AddRow(row);
    list.AddRow(row);
    list.resize(400, 200);
    list.show();
    QCoreApplication::processEvents();
    const QImage image = list.viewport()->grab().toImage();
    const QRect name = list.visualRect(list.Model()->index(0, 0));
    const QRect amount = list.visualRect(list.Model()->index(0, 1));
    auto inkIn = [&](int from, int to, const QRect& cell) {
        for (int x = from; x < to; ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                if (qGray(image.pixel(x, y)) < 128) return true;
        return false;
    };
    EXPECT_TRUE(inkIn(name.left(), name.center().x(), name));
    EXPECT_FALSE(inkIn(amount.left(), amount.center().x(), amount)) << "text past its column";
    EXPECT_TRUE(inkIn(amount.center().x(), amount.right(), amount)) << "amount not at the right";
    const QRect second = list.visualRect(list.Model()->index(1, 1));
    EXPECT_EQ(QColor(image.pixel(second.left() + 1, second.top() + 1)), QColor(0xE0, 0xFF, 0xE0));
}

}  // namespace
}  // namespace kelo
