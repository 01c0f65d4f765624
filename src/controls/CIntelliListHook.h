#pragma once

#include <QObject>

class QListWidget;

namespace kelo {

class CIntelliPopupImpl;

// The popup's list: the pointer moving over it selects and chooses the row under it, a left
// click takes a row, a right click opens the history menu. The list itself never sees the
// buttons, so it cannot take the focus or start a drag.
class CIntelliListHook final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CIntelliListHook)

public:
    CIntelliListHook(CIntelliPopupImpl& popup, QListWidget* list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CIntelliPopupImpl& m_popup;
};

}  // namespace kelo
