#include "host/ui/CKListModel.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>
#include <string_view>

#include "host/util/Dates.h"

namespace kelo {

namespace {

// Latin-1 case folding for the text sort: A-Z and the accented capitals to their small forms.
constexpr std::array<uint8_t, 256> MakeFold()
{
    std::array<uint8_t, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<uint8_t>(i);
    for (int c = 'A'; c <= 'Z'; ++c) t[c] = static_cast<uint8_t>(c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) t[c] = static_cast<uint8_t>(c + 32);
    return t;
}
constexpr std::array<uint8_t, 256> kFold = MakeFold();

// Eight folded bytes of a text field from `from` on, big-endian, so that comparing two of them
// as integers orders them as the texts; bytes after the terminator count as 0. `ended` tells
// whether the terminator (or the field's end) came within them.
uint64_t TextPrefix(const uint8_t* p, int width, int from, bool& ended)
{
    uint64_t key = 0;
    int i = from;
    for (; i < from + 8 && i < width && p[i] != 0; ++i) key = (key << 8) | kFold[p[i]];
    ended = i < from + 8;
    return key << (8 * (from + 8 - i));
}

// Folded comparison of two text fields from byte `from` on; negative, 0 or positive.
int CompareText(const uint8_t* a, const uint8_t* b, int width, int from)
{
    for (int i = from; i < width; ++i) {
        const uint8_t x = kFold[a[i]];
        const uint8_t y = kFold[b[i]];
        if (x != y) return x < y ? -1 : 1;
        if (a[i] == 0) return 0;  // both ended (folding keeps 0 as 0)
    }
    return 0;
}

struct NumberKey {
    double key;
    uint32_t pos;
};

// The first sixteen folded bytes decide most comparisons without touching the rows.
struct TextKey {
    uint64_t first;
    uint64_t second;
    uint32_t stored;
    uint32_t pos;
};

}  // namespace

CKListModel::CKListModel(QObject* parent) : QAbstractTableModel(parent)
{
    m_flushTimer.setSingleShot(true);
    connect(&m_flushTimer, &QTimer::timeout, this, &CKListModel::Flush);
}

void CKListModel::SetColumns(const CKColumnSet& columns)
{
    beginResetModel();
    m_columns = columns;
    m_visibleColumns.clear();
    for (int i = 0; i < m_columns.Count(); ++i)
        if (!m_columns.Column(i).hidden) m_visibleColumns.push_back(i);
    m_bytes.clear();
    m_order.clear();
    m_announced = 0;
    m_sortColumn = -1;
    endResetModel();
}

const uint8_t* CKListModel::StoredRow(uint32_t stored) const
{
    return m_bytes.data() + static_cast<size_t>(stored) * static_cast<size_t>(m_columns.RowSize());
}

int CKListModel::AddRow(std::span<const uint8_t> row)
{
    const int size = m_columns.RowSize();
    if (static_cast<int>(row.size()) != size || size == 0)
        throw std::invalid_argument("list row size does not match its column set");
    const uint32_t stored = static_cast<uint32_t>(m_order.size());
    m_bytes.insert(m_bytes.end(), row.begin(), row.end());
    m_order.push_back(stored);
    ScheduleFlush();
    return static_cast<int>(stored);
}

void CKListModel::Reserve(int rows)
{
    if (rows <= 0) return;
    m_bytes.reserve(static_cast<size_t>(rows) * static_cast<size_t>(m_columns.RowSize()));
    m_order.reserve(static_cast<size_t>(rows));
}

std::span<const uint8_t> CKListModel::RowBytes(int row) const
{
    if (row < 0 || row >= RowCount()) throw std::out_of_range("list row out of range");
    return {StoredRow(m_order[static_cast<size_t>(row)]),
            static_cast<size_t>(m_columns.RowSize())};
}

void CKListModel::SetRow(int row, std::span<const uint8_t> bytes)
{
    if (row < 0 || row >= RowCount()) throw std::out_of_range("list row out of range");
    if (static_cast<int>(bytes.size()) != m_columns.RowSize())
        throw std::invalid_argument("list row size does not match its column set");
    Flush();
    std::memcpy(const_cast<uint8_t*>(StoredRow(m_order[static_cast<size_t>(row)])), bytes.data(),
                bytes.size());
    if (!m_visibleColumns.empty())
        emit dataChanged(index(row, 0), index(row, static_cast<int>(m_visibleColumns.size()) - 1));
}

void CKListModel::DeleteRow(int row)
{
    if (row < 0 || row >= RowCount()) throw std::out_of_range("list row out of range");
    Flush();
    beginRemoveRows(QModelIndex(), row, row);
    const uint32_t stored = m_order[static_cast<size_t>(row)];
    const size_t size = static_cast<size_t>(m_columns.RowSize());
    const auto first = m_bytes.begin() + static_cast<std::ptrdiff_t>(stored * size);
    m_bytes.erase(first, first + static_cast<std::ptrdiff_t>(size));
    m_order.erase(m_order.begin() + row);
    for (uint32_t& o : m_order)
        if (o > stored) --o;
    m_announced = static_cast<int>(m_order.size());
    endRemoveRows();
}

void CKListModel::DeleteAllRows()
{
    beginResetModel();
    m_bytes.clear();
    m_order.clear();
    m_announced = 0;
    m_sortColumn = -1;
    endResetModel();
}

void CKListModel::SortByColumn(int column, Qt::SortOrder order)
{
    const CKColumn& c = m_columns.Column(column);
    Flush();
    const int offset = m_columns.Offset(column);
    const size_t n = m_order.size();
    std::vector<uint32_t> sorted(n);
    const bool ascending = order == Qt::AscendingOrder;

    // Keys are read once per row in view order; the sort then works on compact keys, with the
    // present position as the last key, which makes it stable.
    if (c.kind == ColumnKind::Text && !c.date) {
        std::vector<TextKey> keys(n);
        for (size_t i = 0; i < n; ++i) {
            const uint8_t* text = StoredRow(m_order[i]) + offset;
            bool ended = false;
            const uint64_t first = TextPrefix(text, c.length, 0, ended);
            const uint64_t second = ended ? 0 : TextPrefix(text, c.length, 8, ended);
            keys[i] = {first, second, m_order[i], static_cast<uint32_t>(i)};
        }
        std::sort(keys.begin(), keys.end(), [&](const TextKey& a, const TextKey& b) {
            int cmp = 0;
            if (a.first != b.first) {
                cmp = a.first < b.first ? -1 : 1;
            } else if (a.second != b.second) {
                cmp = a.second < b.second ? -1 : 1;
            } else if (c.length > 16 && (a.second & 0xFF) != 0) {
                // Equal and unfinished after sixteen bytes: the rest decides.
                cmp = CompareText(StoredRow(a.stored) + offset, StoredRow(b.stored) + offset,
                                  c.length, 16);
            }
            if (cmp != 0) return ascending ? cmp < 0 : cmp > 0;
            return a.pos < b.pos;
        });
        for (size_t i = 0; i < n; ++i) sorted[i] = keys[i].stored;
    } else {
        std::vector<NumberKey> keys(n);
        for (size_t i = 0; i < n; ++i) {
            const uint8_t* p = StoredRow(m_order[i]) + offset;
            double key;
            if (c.kind == ColumnKind::Text) {
                // A date column sorts by its date number; an empty or unreadable date is 0.
                const auto* text = reinterpret_cast<const char*>(p);
                key = DateStringToNumber(std::string_view(text, strnlen(text, size_t(c.length))));
            } else if (c.kind == ColumnKind::UInt32) {
                uint32_t v;
                std::memcpy(&v, p, sizeof v);
                key = v;
            } else {
                std::memcpy(&key, p, sizeof key);
            }
            keys[i] = {key, static_cast<uint32_t>(i)};
        }
        std::sort(keys.begin(), keys.end(), [&](const NumberKey& a, const NumberKey& b) {
            if (a.key != b.key) return ascending ? a.key < b.key : a.key > b.key;
            return a.pos < b.pos;
        });
        for (size_t i = 0; i < n; ++i) sorted[i] = m_order[keys[i].pos];
    }

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    if (!before.isEmpty()) {
        // Where each stored row lands, to move the selection and current index with their rows.
        std::vector<uint32_t> newPos(n);
        for (size_t i = 0; i < n; ++i) newPos[sorted[i]] = static_cast<uint32_t>(i);
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex& idx : before) {
            const uint32_t stored = m_order[static_cast<size_t>(idx.row())];
            after.push_back(index(static_cast<int>(newPos[stored]), idx.column()));
        }
        m_order.swap(sorted);
        changePersistentIndexList(before, after);
    } else {
        m_order.swap(sorted);
    }
    m_sortColumn = column;
    m_sortOrder = order;
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CKListModel::SetAlternateColor(const QColor& color)
{
    m_alternate = color;
    if (m_announced > 0) emit dataChanged(index(0, 0), index(m_announced - 1, columnCount() - 1));
}

void CKListModel::SetTextColor(const QColor& color) { m_text = color; }

void CKListModel::SetBackgroundColor(const QColor& color) { m_background = color; }

void CKListModel::ScheduleFlush()
{
    if (m_flushTimer.isActive()) return;
    std::chrono::milliseconds wait{0};
    if (m_streaming && m_announced > 0) {
        const auto due = m_lastFlush + kStreamBatchEvery;
        wait = std::max(std::chrono::milliseconds(0),
                        std::chrono::ceil<std::chrono::milliseconds>(
                            due - std::chrono::steady_clock::now()));
    }
    m_flushTimer.start(wait);
}

void CKListModel::Flush()
{
    m_flushTimer.stop();
    const int count = RowCount();
    if (m_announced >= count) return;
    beginInsertRows(QModelIndex(), m_announced, count - 1);
    m_announced = count;
    m_lastFlush = std::chrono::steady_clock::now();
    endInsertRows();
}

void CKListModel::SetStreaming(bool on)
{
    m_streaming = on;
    if (!on) Flush();
}

int CKListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_announced;
}

int CKListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_visibleColumns.size());
}

QVariant CKListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_announced) return {};
    const int column = m_visibleColumns[static_cast<size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return m_columns.DisplayText(RowBytes(index.row()), column);
    case Qt::TextAlignmentRole:
        return m_columns.Column(column).kind == ColumnKind::Text
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (m_alternate.isValid() && index.row() % 2 == 1) return m_alternate;
        if (m_background.isValid()) return m_background;
        return {};
    case Qt::ForegroundRole:
        if (m_text.isValid()) return m_text;
        return {};
    default:
        return {};
    }
}

QVariant CKListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(m_visibleColumns.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    const CKColumn& c = m_columns.Column(m_visibleColumns[static_cast<size_t>(section)]);
    if (role == Qt::DisplayRole) return c.title;
    if (role == Qt::TextAlignmentRole)
        return c.kind == ColumnKind::Text ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                          : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

void CKListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= static_cast<int>(m_visibleColumns.size())) return;
    SortByColumn(m_visibleColumns[static_cast<size_t>(column)], order);
}

}  // namespace kelo
