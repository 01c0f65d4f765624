#include "src/controls/CIntelliInputHook.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "src/controls/CIntelliPopupImpl.h"

namespace kelo {

CIntelliInputHook::CIntelliInputHook(CIntelliPopupImpl& popup) : m_popup(popup) {}

bool CIntelliInputHook::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_popup.IsShown() || m_popup.IsMenuOpen()) return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return OnKey(static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // A press from the window system reaches the window (a QWindow) before the widget under
        // the pointer; only the widget tells where the press is.
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget) return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool button = mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton;
        if (button && !m_popup.IsPopupWindow(widget)) m_popup.Hide();
        return false;
    }
    default:
        return false;
    }
}

bool CIntelliInputHook::OnKey(QKeyEvent* key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_popup.ChooseIntoField();
        m_popup.Hide();
        m_popup.AfterChoosing();
        return true;
    case Qt::Key_Tab: {
        m_popup.Hide();
        // The field keeps its text; the focus moves on as Tab always does.
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        if (QLineEdit* field = m_popup.Field()) QCoreApplication::sendEvent(field, &tab);
        return true;
    }
    case Qt::Key_Escape:
        m_popup.Hide();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        m_popup.MoveSelection(key->key());
        return true;
    default:
        return false;
    }
}

}  // namespace kelo
