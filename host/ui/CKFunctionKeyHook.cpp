#include "host/ui/CKFunctionKeyHook.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QWidget>

namespace kelo {

namespace {

int VirtualKeyOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_F1: return VK_F1;
    case Qt::Key_F2: return VK_F2;
    case Qt::Key_F11: return VK_F11;
    case Qt::Key_F12: return VK_F12;
    default: return 0;
    }
}

}  // namespace

CKFunctionKeyHook& CKFunctionKeyHook::Instance()
{
    static CKFunctionKeyHook* hook = new CKFunctionKeyHook;  // lives as long as the process
    return *hook;
}

uint32_t CKFunctionKeyHook::RegisterWindowMessage(const QString& name)
{
    static QHash<QString, uint32_t> names;
    auto it = names.find(name);
    if (it != names.end()) return *it;
    const uint32_t message = 0xC000u + static_cast<uint32_t>(names.size());
    names.insert(name, message);
    return message;
}

void CKFunctionKeyHook::Register(QWidget* window, uint32_t message, Handler handler)
{
    CKFunctionKeyHook& hook = Instance();
    hook.m_window = window;
    hook.m_message = message;
    hook.m_handler = std::move(handler);
    if (!hook.m_installed && qApp) {
        qApp->installEventFilter(&hook);
        hook.m_installed = true;
    }
}

void CKFunctionKeyHook::Unregister(QWidget* window)
{
    CKFunctionKeyHook& hook = Instance();
    if (hook.m_window != window) return;
    hook.m_window = nullptr;
    hook.m_handler = nullptr;
}

bool CKFunctionKeyHook::Deliver(int qtKey)
{
    CKFunctionKeyHook& hook = Instance();
    const int vk = VirtualKeyOf(qtKey);
    if (vk == 0 || !hook.m_window || !hook.m_handler) return false;
    // A copy: the handler may register another window or close this one.
    const Handler handler = hook.m_handler;
    handler(hook.m_message, vk);
    return true;
}

bool CKFunctionKeyHook::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier && !key->isAutoRepeat() && Deliver(key->key()))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kelo
