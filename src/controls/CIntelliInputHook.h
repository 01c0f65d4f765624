#pragma once

#include <QObject>

class QKeyEvent;

namespace kelo {

class CIntelliPopupImpl;

// The keyboard and mouse hooks of a shown popup, installed on the application only while it
// shows. Keys: Enter takes the selected row and moves on; Tab closes and moves on; Esc closes;
// Up, Down, Page Up and Page Down move the selection; every other key goes to the field. While
// the right-click menu is open every key is the menu's. A button pressed outside the popup and
// the field closes the popup, and the click goes on.
class CIntelliInputHook final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CIntelliInputHook)

public:
    explicit CIntelliInputHook(CIntelliPopupImpl& popup);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnKey(QKeyEvent* key);

    CIntelliPopupImpl& m_popup;
};

}  // namespace kelo
