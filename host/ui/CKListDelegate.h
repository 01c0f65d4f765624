#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace kelo {

// Paints the cells of a CKListView: the selection, the row's background, the text elided at the
// right and aligned as the model says, the focus frame of the current cell. A cell's text is laid
// out once and kept (most repaints of a long fill show the same rows again), so a repaint costs
// glyph drawing rather than shaping. UI thread only.
class CKListDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit CKListDelegate(QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    // The laid-out text, elided to `width` pixels when wider.
    const QStaticText& Laid(const QString& text, int width, const QStyleOptionViewItem& option) const;

    struct Entry {
        QStaticText full;
        int elidedWidth = -1;  // the width `elided` was made for; -1 none
        QStaticText elided;
    };
    mutable QHash<QString, Entry> m_texts;
    mutable QFont m_font;
};

}  // namespace kelo
