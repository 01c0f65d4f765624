#include "host/ui/CKSelectionColours.h"

#include <QAbstractItemView>
#include <QPalette>

namespace kelo {

void UseFocusSelectionColours(QAbstractItemView* view)
{
    QPalette p = view->palette();
    const QColor text = p.color(QPalette::Active, QPalette::Text);
    // A shade darker than a button: visible on white rows and on the pale alternate rows.
    const QColor grey = p.color(QPalette::Active, QPalette::Button).darker(120);
    p.setColor(QPalette::Inactive, QPalette::Highlight, grey);
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, text);
    view->setPalette(p);
}

}  // namespace kelo
