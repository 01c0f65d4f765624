#pragma once

#include <QPoint>
#include <QSize>
#include <QWidget>

namespace kelo {

class CIntelliPopupImpl;

// The popup's size box: dragging it resizes the popup, never below field width + 400 by 200.
class CIntelliSize final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CIntelliSize)

public:
    CIntelliSize(CIntelliPopupImpl& popup, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CIntelliPopupImpl& m_popup;
    QPoint m_start;
    QSize m_startSize;
};

}  // namespace kelo
