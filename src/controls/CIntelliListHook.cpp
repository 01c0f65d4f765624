#include "src/controls/CIntelliListHook.h"

#include <QListWidget>
#include <QMouseEvent>

#include "src/controls/CIntelliPopupImpl.h"

namespace kelo {

CIntelliListHook::CIntelliListHook(CIntelliPopupImpl& popup, QListWidget* list)
    : QObject(list), m_popup(popup)
{
    list->viewport()->installEventFilter(this);
}

bool CIntelliListHook::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        m_popup.FollowPointer(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint pos = mouse->position().toPoint();
        if (mouse->button() == Qt::LeftButton)
            m_popup.ClickRow(pos);
        else if (mouse->button() == Qt::RightButton)
            m_popup.ShowMenu(pos, mouse->globalPosition().toPoint());
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::ContextMenu:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

}  // namespace kelo
