#include "src/controls/CIntelliEditHook.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "src/controls/CIntelliPopupImpl.h"

namespace kelo {

CIntelliEditHook::CIntelliEditHook(CIntelliPopupImpl& popup, QLineEdit* field)
    : QObject(nullptr), m_popup(popup), m_field(field)
{
    field->installEventFilter(this);
    connect(field, &QObject::destroyed, this, [this] {
        m_field = nullptr;
        m_popup.Detach();
    });
}

CIntelliEditHook::~CIntelliEditHook() { Unhook(); }

void CIntelliEditHook::Unhook()
{
    if (!m_field) return;
    m_field->removeEventFilter(this);
    disconnect(m_field, nullptr, this, nullptr);
    m_field = nullptr;
}

bool CIntelliEditHook::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_field || watched != m_field) return QObject::eventFilter(watched, event);

    if (event->type() == QEvent::FocusOut) {
        // A field losing the focus because it is being destroyed is no line edit any more.
        if (!qobject_cast<QLineEdit*>(watched)) return false;
        // The right-click menu borrows the focus and gives it back.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason) return false;
        const QWidget* to = QApplication::focusWidget();
        if (to && to != m_field && m_popup.IsPopupWindow(to)) return false;
        // A platform that activates the popup anyway: the popup hands the activation back.
        const QWidget* active = QApplication::activeWindow();
        if (active && active != m_field->window() && m_popup.IsPopupWindow(active)) return false;
        m_popup.Hide();
        m_popup.AddEntry();
        m_popup.DestroyPopupWindows();
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;

    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return false;
    default:
        break;
    }
    const QString text = key->text();
    const bool typed = !text.isEmpty() && text.front().isPrint() &&
                       !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    const bool erase = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
    if (!typed && !erase) return false;

    // The field first, so the matches are looked up for the text as it now stands.
    static_cast<QObject*>(m_field)->event(key);
    const QWidget* focus = QApplication::focusWidget();
    if (focus == m_field || m_popup.IsPopupWindow(focus)) m_popup.FieldEdited(typed);
    return true;
}

}  // namespace kelo
