#pragma once

#include <cstdint>
#include <functional>

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace kelo {

// Virtual-key codes of the function keys the hook delivers.
inline constexpr int VK_F1 = 0x70;
inline constexpr int VK_F2 = 0x71;
inline constexpr int VK_F11 = 0x7A;
inline constexpr int VK_F12 = 0x7B;

// Application-wide function-key hook: once a window is registered, F1, F2, F11 and F12 pressed
// in any window of the application are taken from the normal key handling and delivered to the
// registered window's handler as (message, virtual-key code). The last registered window that
// still exists receives them; with none registered the keys pass through untouched.
// UI thread only; needs a QApplication for the event filter.
class CKFunctionKeyHook final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKFunctionKeyHook)

public:
    using Handler = std::function<void(uint32_t message, int virtualKey)>;

    // A message number for a name, the same number for the same name during the process
    // (0xC000 upwards). Never 0.
    static uint32_t RegisterWindowMessage(const QString& name);

    // Registers `window` (KTRegisterFunctionKeyHook): it receives the keys through `handler`
    // until it is destroyed or unregistered. Installs the event filter on first use.
    static void Register(QWidget* window, uint32_t message, Handler handler);
    static void Unregister(QWidget* window);

    // Delivers a Qt key as the hook would. Returns true when it was a hooked key and a window
    // received it.
    static bool Deliver(int qtKey);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CKFunctionKeyHook() = default;
    static CKFunctionKeyHook& Instance();

    QPointer<QWidget> m_window;
    uint32_t m_message = 0;
    Handler m_handler;
    bool m_installed = false;
};

}  // namespace kelo
