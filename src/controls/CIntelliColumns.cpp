#include "src/controls/CIntelliColumns.h"

#include <QApplication>
#include <QPainter>

namespace kelo {

CIntelliColumns::CIntelliColumns(QObject* parent) : QStyledItemDelegate(parent) {}

void CIntelliColumns::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.contains(QLatin1Char('\t'))) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The background and selection as usual, then the columns by hand.
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const QStringList columns = text.split(QLatin1Char('\t'));
    const int first = opt.fontMetrics.averageCharWidth() * kFirstColumnChars;
    const QRect area = opt.rect.adjusted(4, 0, -4, 0);
    painter->save();
    painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                          : QPalette::Text));
    painter->drawText(area.adjusted(0, 0, -(area.width() - first), 0),
                      Qt::AlignVCenter | Qt::AlignLeft, columns.front());
    painter->drawText(area.adjusted(first, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                      columns.mid(1).join(QStringLiteral("  ")));
    painter->restore();
}

}  // namespace kelo
