#pragma once

#include <functional>
#include <vector>

#include <QAbstractTableModel>

namespace kelo {

// The rows of a lookup list: a fixed row count whose texts ("code\tname") are built on demand,
// a block at a time, by the popup's fill-range operation when a view first asks for one of them.
class CFixedPopupRows final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFixedPopupRows)

public:
    // Rows are built in aligned blocks of this many.
    static constexpr int kBlock = 64;
    using FillRange = std::function<void(int first, int last)>;

    explicit CFixedPopupRows(QObject* parent = nullptr);

    // Forgets every row and announces `count` rows, built through `fill`.
    void Reset(int count, FillRange fill);
    // Stores a built row's text; an index outside the rows is ignored.
    void SetRowText(int row, const QString& text);
    // The row's text, building its block first when needed.
    QString RowText(int row);
    int BuiltRows() const { return m_built; }
    void Clear();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void Build(int row);

    std::vector<QString> m_rows;
    std::vector<bool> m_done;
    int m_built = 0;
    bool m_filling = false;
    FillRange m_fill;
};

}  // namespace kelo
