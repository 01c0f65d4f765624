#include "host/ui/CKListView.h"

#include <algorithm>

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionViewItem>

#include "host/ui/CKListDelegate.h"
#include "host/ui/CKListModel.h"
#include "host/ui/CKSelectionColours.h"

namespace kelo {

namespace {

QColor FromRgb(uint32_t rgb)
{
    if (rgb == CKListView::kDefaultColour) return QColor();
    return QColor::fromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

CKListView::CKListView(QWidget* parent, int id)
    : QTableView(parent), m_model(new CKListModel(this)), m_id(id)
{
    setModel(m_model);
    setItemDelegate(new CKListDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // One fixed row height: the view never measures rows, which keeps a million rows cheap.
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);

    QHeaderView* header = horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(header, &QHeaderView::sectionClicked, this, &CKListView::OnHeaderClicked);
    // A width the user drags becomes that column's own; dragging the stretching column ends
    // the stretch, so the user's widths stay as set.
    connect(header, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (m_fitting || section < 0 || section >= static_cast<int>(m_widths.size())) return;
        if (section == m_stretch) m_stretch = -1;
        m_widths[static_cast<size_t>(section)] = size;
        FitColumns();
    });
    UseFocusSelectionColours(this);

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QModelIndex at = indexAt(pos);
        if (at.isValid()) SelectRow(at.row());
        emit contextRequested(at.isValid() ? at.row() : GetSelectedRow(),
                              viewport()->mapToGlobal(pos));
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit selectedRowChanged(GetSelectedRow()); });
}

CKListView::~CKListView() = default;

void CKListView::SetColumns(const CKColumnSet& columns)
{
    m_model->SetColumns(columns);
    horizontalHeader()->setSortIndicatorShown(false);
    ApplyColumnWidths();
}

void CKListView::ApplyColumnWidths()
{
    const CKColumnSet& set = m_model->Columns();
    const int charWidth = fontMetrics().averageCharWidth();
    const int digitWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const QFontMetrics titles = horizontalHeader()->fontMetrics();
    // Room for the sort indicator beside a title.
    const int indicator = style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, this) + 12;
    m_widths.clear();
    m_stretch = -1;
    int widestText = 0;
    for (int i = 0; i < set.Count(); ++i) {
        const CKColumn& c = set.Column(i);
        if (c.hidden) continue;
        int width = c.displayWidth * charWidth + 8;
        if (c.kind != ColumnKind::Text) {
            // Figures are wider than the average letter; the title must fit beside the arrow.
            width = std::max(c.displayWidth * digitWidth + 8,
                             titles.horizontalAdvance(c.title) + indicator);
        } else if (!c.date && c.displayWidth > widestText) {
            widestText = c.displayWidth;
            m_stretch = static_cast<int>(m_widths.size());
        }
        m_widths.push_back(width);
    }
    FitColumns();
}

void CKListView::FitColumns()
{
    m_fitting = true;
    int used = 0;
    for (int w : m_widths) used += w;
    const int spare = std::max(0, viewport()->width() - used);
    for (size_t i = 0; i < m_widths.size(); ++i)
        setColumnWidth(static_cast<int>(i),
                       m_widths[i] + (static_cast<int>(i) == m_stretch ? spare : 0));
    m_fitting = false;
}

bool CKListView::viewportEvent(QEvent* event)
{
    // The viewport narrows when the vertical scroll bar comes, without the list being resized.
    if (event->type() == QEvent::Resize) FitColumns();
    return QTableView::viewportEvent(event);
}

void CKListView::initViewItemOption(QStyleOptionViewItem* option) const
{
    QTableView::initViewItemOption(option);
    if (!hasFocus()) option->state &= ~QStyle::State_Active;
}

void CKListView::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    viewport()->update();
}

void CKListView::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
}

const CKColumnSet& CKListView::Columns() const { return m_model->Columns(); }

int CKListView::RowSize() const { return m_model->Columns().RowSize(); }

int CKListView::AddRow(std::span<const uint8_t> row) { return m_model->AddRow(row); }

void CKListView::Reserve(int rows) { m_model->Reserve(rows); }

int CKListView::RowCount() const { return m_model->RowCount(); }

std::vector<uint8_t> CKListView::GetRow(int row) const
{
    const std::span<const uint8_t> bytes = m_model->RowBytes(row);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::span<const uint8_t> CKListView::RowBytes(int row) const { return m_model->RowBytes(row); }

void CKListView::SetRow(int row, std::span<const uint8_t> bytes) { m_model->SetRow(row, bytes); }

void CKListView::DeleteRow(int row)
{
    const int selected = GetSelectedRow();
    m_model->DeleteRow(row);
    if (selected != row) return;  // a later selection has moved up with its row
    // The row that takes the deleted one's place is selected; past the end nothing is, and the
    // page decides (it selects the last row).
    if (row < m_model->RowCount())
        SelectRow(row);
    else
        selectionModel()->clearSelection();
}

void CKListView::DeleteAllItems()
{
    m_model->DeleteAllRows();
    horizontalHeader()->setSortIndicatorShown(false);
}

int CKListView::GetSelectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

bool CKListView::SelectRow(int row)
{
    if (row == -1) {
        selectionModel()->clearSelection();
        return true;
    }
    if (row < 0 || row >= m_model->RowCount()) return false;
    m_model->Flush();
    const QModelIndex at = m_model->index(row, 0);
    selectionModel()->setCurrentIndex(
        at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(at);
    return true;
}

void CKListView::SortByColumn(int column, Qt::SortOrder order)
{
    m_model->SortByColumn(column, order);
    const CKColumnSet& set = m_model->Columns();
    int section = -1;
    if (!set.Column(column).hidden) {
        section = 0;
        for (int i = 0; i < column; ++i)
            if (!set.Column(i).hidden) ++section;
    }
    QHeaderView* header = horizontalHeader();
    header->setSortIndicatorShown(section >= 0);
    if (section >= 0) header->setSortIndicator(section, order);
    const int selected = GetSelectedRow();
    if (selected >= 0) scrollTo(m_model->index(selected, 0));
}

int CKListView::SortColumn() const { return m_model->SortColumn(); }

void CKListView::OnHeaderClicked(int section)
{
    const CKColumnSet& set = m_model->Columns();
    int column = -1;
    for (int i = 0, seen = 0; i < set.Count(); ++i) {
        if (set.Column(i).hidden) continue;
        if (seen++ == section) {
            column = i;
            break;
        }
    }
    if (column < 0) return;
    // A second click on the sorted column turns the order round. The model's own record is
    // asked: the header has already turned its indicator round by the time it reports a click.
    Qt::SortOrder order = Qt::AscendingOrder;
    if (m_model->SortColumn() == column && m_model->SortOrder() == Qt::AscendingOrder)
        order = Qt::DescendingOrder;
    SortByColumn(column, order);
}

void CKListView::SetColors(int kind, uint32_t alternate, uint32_t text, uint32_t background,
                           uint32_t selection)
{
    m_model->SetAlternateColor(kind == 2 ? FromRgb(alternate) : QColor());
    m_model->SetTextColor(FromRgb(text));
    m_model->SetBackgroundColor(FromRgb(background));
    if (selection != kDefaultColour) {
        QPalette p = palette();
        p.setColor(QPalette::Highlight, FromRgb(selection));
        setPalette(p);
    }
    viewport()->update();
}

void CKListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const int row = GetSelectedRow();
        if (row >= 0) {
            emit rowActivated(row);
            event->accept();
            return;
        }
    }
    if ((event->key() == Qt::Key_Home || event->key() == Qt::Key_End) &&
        !(event->modifiers() & (Qt::ShiftModifier | Qt::AltModifier))) {
        // The first or last row, not the first or last column of the current row.
        if (m_model->RowCount() > 0)
            SelectRow(event->key() == Qt::Key_Home ? 0 : m_model->RowCount() - 1);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Menu) {
        const int row = GetSelectedRow();
        QPoint pos = row >= 0 ? visualRect(m_model->index(row, 0)).center() : QPoint(4, 4);
        emit contextRequested(row, viewport()->mapToGlobal(pos));
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void CKListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid() && event->button() == Qt::LeftButton) {
        SelectRow(at.row());
        emit rowActivated(at.row());
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

}  // namespace kelo
