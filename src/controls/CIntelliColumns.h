#pragma once

#include <QStyledItemDelegate>

namespace kelo {

// Draws a candidate's tab-separated columns side by side: the first column (an account code)
// in a fixed width, the rest after it. A text without tabs draws as it is.
class CIntelliColumns final : public QStyledItemDelegate {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CIntelliColumns)

public:
    static constexpr int kFirstColumnChars = 12;

    explicit CIntelliColumns(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace kelo
