#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

#include <QAbstractTableModel>
#include <QColor>
#include <QTimer>

#include "host/ui/CKColumnSet.h"

namespace kelo {

// The rows of a CKListView: packed records of one column set kept in one contiguous byte buffer
// (no item objects), shown in the order of a permutation of row indexes so that a sort moves
// 4-byte indexes, never the rows.
//
// Row numbers in this API are view positions (0 = the top row as shown). Rows added by AddRow
// are announced to attached views in batches, when the event loop runs or before any other change,
// so a fill of a million rows does not pay one view update per row. While rows stream in (a fill
// that returns to the event loop every few milliseconds) the batches are further apart, so the
// view relays out and repaints a few times a second, not at every return.
class CKListModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKListModel)

public:
    explicit CKListModel(QObject* parent = nullptr);

    // Replaces the columns; all rows are deleted.
    void SetColumns(const CKColumnSet& columns);
    const CKColumnSet& Columns() const { return m_columns; }

    // Appends a row (shown last). Throws std::invalid_argument unless row.size() == RowSize().
    // Returns its row number.
    int AddRow(std::span<const uint8_t> row);
    // Room for `rows` rows without reallocating the buffer.
    void Reserve(int rows);
    int RowCount() const { return static_cast<int>(m_order.size()); }
    // The bytes of a row: a view into the buffer, valid until the next change of the rows.
    // Throws std::out_of_range.
    std::span<const uint8_t> RowBytes(int row) const;
    // Overwrites a row. Throws std::out_of_range / std::invalid_argument (size).
    void SetRow(int row, std::span<const uint8_t> bytes);
    // Removes a row; the rows below move up. Throws std::out_of_range.
    void DeleteRow(int row);
    void DeleteAllRows();

    // Stable sort by a column of the set (not a view column) by the value it holds: amounts and
    // integers numerically, dates by the day (no date first), text case-insensitively (Latin-1).
    // Equal keys keep their present order. Throws std::out_of_range for a bad column.
    void SortByColumn(int column, Qt::SortOrder order);
    // The column and order of the last sort; column -1 when the rows are in their added order.
    int SortColumn() const { return m_sortColumn; }
    Qt::SortOrder SortOrder() const { return m_sortOrder; }

    // Background of every second row; invalid = none.
    void SetAlternateColor(const QColor& color);
    void SetTextColor(const QColor& color);
    void SetBackgroundColor(const QColor& color);

    // Announces rows added since the last announcement. Called by every change; safe to call
    // at any time.
    void Flush();
    // Rows stream in: the first batch is announced at once, the next ones at most every
    // kStreamBatchEvery. Turning it off announces the rest.
    static constexpr std::chrono::milliseconds kStreamBatchEvery{100};
    void SetStreaming(bool on);

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    const uint8_t* StoredRow(uint32_t stored) const;
    void ScheduleFlush();

    CKColumnSet m_columns;
    std::vector<int> m_visibleColumns;  // model column -> column of the set
    std::vector<uint8_t> m_bytes;       // rows in the order they were added
    std::vector<uint32_t> m_order;      // view position -> stored row
    int m_announced = 0;                // rows the views know of
    QTimer m_flushTimer;
    bool m_streaming = false;
    std::chrono::steady_clock::time_point m_lastFlush{};
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    QColor m_alternate;
    QColor m_text;
    QColor m_background;
};

}  // namespace kelo
