#include "src/controls/CIntelliSize.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSizeGrip>

#include "src/controls/CIntelliPopupImpl.h"
#include "src/controls/CIntelliPopupWnd.h"

namespace kelo {

CIntelliSize::CIntelliSize(CIntelliPopupImpl& popup, QWidget* parent)
    : QWidget(parent), m_popup(popup)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::SizeFDiagCursor);
}

void CIntelliSize::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionSizeGrip option;
    option.initFrom(this);
    option.corner = Qt::BottomRightCorner;
    style()->drawControl(QStyle::CE_SizeGrip, &option, &painter, this);
}

void CIntelliSize::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    m_start = event->globalPosition().toPoint();
    m_startSize = window()->size();
    m_popup.SetSizing(true);
}

void CIntelliSize::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_popup.IsSizing()) return;
    const QPoint moved = event->globalPosition().toPoint() - m_start;
    const QSize least = m_popup.Window() ? m_popup.Window()->MinimumSize() : QSize();
    window()->resize(std::max(least.width(), m_startSize.width() + moved.x()),
                     std::max(least.height(), m_startSize.height() + moved.y()));
}

void CIntelliSize::mouseReleaseEvent(QMouseEvent*) { m_popup.SetSizing(false); }

}  // namespace kelo
