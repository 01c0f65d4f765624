#include "host/ui/CKBox.h"

namespace kelo {

CKBox::CKBox(const QString& text, QWidget* parent, int id) : QLabel(text, parent), m_id(id)
{
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setMargin(2);
    setIndent(4);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0x4A, 0x63, 0x8C));
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    QFont f = font();
    f.setBold(true);
    SetCaptionFont(f);
}

void CKBox::SetCaptionFont(const QFont& font)
{
    setFont(font);
    setFixedHeight(QFontMetrics(font).height() + 10);
}

}  // namespace kelo
