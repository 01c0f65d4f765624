#include "src/controls/CFixedPopupRows.h"

#include <algorithm>

namespace kelo {

CFixedPopupRows::CFixedPopupRows(QObject* parent) : QAbstractTableModel(parent) {}

void CFixedPopupRows::Reset(int count, FillRange fill)
{
    beginResetModel();
    m_rows.assign(static_cast<size_t>(std::max(count, 0)), QString());
    m_done.assign(m_rows.size(), false);
    m_built = 0;
    m_fill = std::move(fill);
    endResetModel();
}

void CFixedPopupRows::Clear() { Reset(0, nullptr); }

void CFixedPopupRows::SetRowText(int row, const QString& text)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size())) return;
    if (!m_done[static_cast<size_t>(row)]) ++m_built;
    m_done[static_cast<size_t>(row)] = true;
    m_rows[static_cast<size_t>(row)] = text;
}

void CFixedPopupRows::Build(int row)
{
    if (m_done[static_cast<size_t>(row)] || m_filling || !m_fill) return;
    const int first = row - row % kBlock;
    const int last = std::min(first + kBlock, static_cast<int>(m_rows.size())) - 1;
    m_filling = true;
    m_fill(first, last);
    m_filling = false;
    // A row the fill could not build stays empty rather than being asked for again and again.
    for (int r = first; r <= last; ++r) m_done[static_cast<size_t>(r)] = true;
}

QString CFixedPopupRows::RowText(int row)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size())) return {};
    Build(row);
    return m_rows[static_cast<size_t>(row)];
}

int CFixedPopupRows::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CFixedPopupRows::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant CFixedPopupRows::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    // Building a row is the list asking for it; the cache is the model's own business.
    const QString text = const_cast<CFixedPopupRows*>(this)->RowText(index.row());
    return text.section(QLatin1Char('\t'), index.column(), index.column());
}

QVariant CFixedPopupRows::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == 0 ? QStringLiteral("N/C") : QStringLiteral("Name");
}

}  // namespace kelo
