#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include <QTableView>

#include "host/ui/CKColumnSet.h"

namespace kelo {

class CKListModel;

// The report list of a page: one line per packed row of its column set (see CKListModel),
// column widths from the set's display widths (numbers and amounts wide enough for their digits
// and title; the widest text column also takes whatever room is left, until the user sizes a
// column), a click on a column header sorts by that column (again: the other direction), single-
// row selection, Home/End to the first/last row, uniform row heights. The selection is greyed
// while another control has the focus. Stays responsive at a million rows. UI thread only.
//
// Notifications: rowActivated on a double click or Enter (the page's "open"), contextRequested on
// a right click or the menu key (the row under the cursor is selected first), selectedRowChanged
// when the selection moves.
class CKListView final : public QTableView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKListView)

public:
    // id is the control id (also the number of the page's column set); only stored.
    explicit CKListView(QWidget* parent = nullptr, int id = 0);
    ~CKListView() override;

    int GetDlgCtrlID() const { return m_id; }

    // Sets the columns (deleting all rows) and sizes the header from the display widths.
    void SetColumns(const CKColumnSet& columns);
    const CKColumnSet& Columns() const;
    int RowSize() const;

    // Appends a row; returns its row number. Throws std::invalid_argument unless
    // row.size() == RowSize().
    int AddRow(std::span<const uint8_t> row);
    void Reserve(int rows);
    int RowCount() const;
    // A copy of a row's bytes. Throws std::out_of_range.
    std::vector<uint8_t> GetRow(int row) const;
    // A view of a row's bytes, valid until the rows change. Throws std::out_of_range.
    std::span<const uint8_t> RowBytes(int row) const;
    // Overwrites a row and repaints it. Throws std::out_of_range / std::invalid_argument.
    void SetRow(int row, std::span<const uint8_t> bytes);
    // Removes a row. A selection on a later row follows its row. When the deleted row was
    // selected, the row that takes its position is selected; when it was the last row nothing
    // is selected (the page selects the new last row). Throws std::out_of_range.
    void DeleteRow(int row);
    // Removes every row and forgets the sort; nothing is selected afterwards.
    void DeleteAllItems();

    // The selected row, -1 when none.
    int GetSelectedRow() const;
    // Selects a row, makes it current and scrolls it into view; -1 clears the selection.
    // Returns false (nothing changes) for a row out of range.
    bool SelectRow(int row);

    // Stable sort by a column of the set; shows the sort indicator on its header when visible.
    // The selected row stays selected. Throws std::out_of_range for a bad column.
    void SortByColumn(int column, Qt::SortOrder order = Qt::AscendingOrder);
    int SortColumn() const;

    // The list colours: `kind` 2 makes `alternate` the background of every second row; the other
    // three colours are the text, the background and the selection background. 0xFFFFFFFF
    // leaves a colour at the control's default. Colours are 0xRRGGBB.
    static constexpr uint32_t kDefaultColour = 0xFFFFFFFF;
    void SetColors(int kind, uint32_t alternate, uint32_t text = kDefaultColour,
                   uint32_t background = kDefaultColour, uint32_t selection = kDefaultColour);

    CKListModel* Model() const { return m_model; }

signals:
    void rowActivated(int row);
    void contextRequested(int row, const QPoint& globalPos);
    void selectedRowChanged(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void initViewItemOption(QStyleOptionViewItem* option) const override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void OnHeaderClicked(int section);
    void ApplyColumnWidths();
    // Gives the stretching column the width the others leave in the viewport.
    void FitColumns();

    CKListModel* m_model;
    int m_id;
    std::vector<int> m_widths;  // per shown column: the width it needs
    int m_stretch = -1;         // the shown column that takes the spare width; -1 none
    bool m_fitting = false;     // the widths being set are ours, not the user's
};

}  // namespace kelo
