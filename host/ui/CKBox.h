#pragma once

#include <QFont>
#include <QLabel>

namespace kelo {

// The caption bar above the page: one line of bold text on a shaded band, naming the task.
// Also serves as a titled frame box in dialogs.
class CKBox final : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKBox)

public:
    CKBox(const QString& text, QWidget* parent = nullptr, int id = -1);

    int GetDlgCtrlID() const { return m_id; }
    void SetText(const QString& text) { setText(text); }
    QString Text() const { return text(); }
    // The caption font; the bar's height follows it.
    void SetCaptionFont(const QFont& font);

private:
    int m_id;
};

}  // namespace kelo
