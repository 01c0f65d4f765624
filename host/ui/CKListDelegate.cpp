#include "host/ui/CKListDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace kelo {

namespace {

// Laid-out texts kept; past this the cache starts again (a screenful is a few hundred).
constexpr qsizetype kMaxTexts = 8192;

QStaticText Prepared(const QString& text, const QFont& font)
{
    QStaticText laid(text);
    laid.setTextFormat(Qt::PlainText);
    laid.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.prepare(QTransform(), font);
    return laid;
}

}  // namespace

CKListDelegate::CKListDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

const QStaticText& CKListDelegate::Laid(const QString& text, int width,
                                        const QStyleOptionViewItem& option) const
{
    if (option.font != m_font || m_texts.size() >= kMaxTexts) {
        m_texts.clear();
        m_font = option.font;
    }
    auto it = m_texts.find(text);
    if (it == m_texts.end()) it = m_texts.insert(text, Entry{Prepared(text, m_font), -1, {}});
    Entry& entry = *it;
    if (entry.full.size().width() <= width) return entry.full;
    if (entry.elidedWidth != width) {
        const QString elided = option.fontMetrics.elidedText(text, option.textElideMode, width);
        entry.elided = Prepared(elided, m_font);
        entry.elidedWidth = width;
    }
    return entry.elided;
}

void CKListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const
{
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (option.state & QStyle::State_Active) ? QPalette::Active
                                                                               : QPalette::Inactive;
    const bool selected = option.state & QStyle::State_Selected;
    if (selected) {
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    } else {
        const QVariant background = index.data(Qt::BackgroundRole);
        if (background.isValid()) painter->fillRect(option.rect, background.value<QColor>());
    }

    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        const QRect area = option.rect.adjusted(margin, 0, -margin, 0);
        const QStaticText& laid = Laid(text, area.width(), option);
        QColor colour = option.palette.color(group, QPalette::Text);
        if (selected) {
            colour = option.palette.color(group, QPalette::HighlightedText);
        } else if (const QVariant fore = index.data(Qt::ForegroundRole); fore.isValid()) {
            colour = fore.value<QColor>();
        }
        const Qt::Alignment align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
        const int width = qRound(laid.size().width());
        const int x = (align & Qt::AlignRight) ? area.right() + 1 - width : area.left();
        const int y = area.top() + (area.height() - option.fontMetrics.height()) / 2;
        painter->save();
        painter->setClipRect(option.rect);
        painter->setFont(m_font);
        painter->setPen(colour);
        painter->drawStaticText(x, y, laid);
        painter->restore();
    }

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = option.rect;
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor =
            option.palette.color(group, selected ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}

}  // namespace kelo
