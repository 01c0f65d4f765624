#pragma once

#include <QObject>

class QLineEdit;

namespace kelo {

class CIntelliPopupImpl;

// The field of an auto-complete popup: after a typed character, Backspace or Delete (handled
// by the field first) the matches are updated, completing inline only for a typed character;
// losing the focus to anything but the popup hides it, adds the text to the history and
// destroys the popup windows; the field's destruction detaches the popup.
class CIntelliEditHook final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CIntelliEditHook)

public:
    CIntelliEditHook(CIntelliPopupImpl& popup, QLineEdit* field);
    ~CIntelliEditHook() override;

    // Stops watching the field (the popup is being detached).
    void Unhook();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CIntelliPopupImpl& m_popup;
    QLineEdit* m_field;
};

}  // namespace kelo
