#pragma once

#include <QWidget>

class QListWidget;
class QScrollBar;

namespace kelo {

class CIntelliListHook;
class CIntelliPopupImpl;
class CIntelliSize;

// The popup window of an auto-complete field: a borderless, top-most tool window that never
// takes the activation, holding the list 5 pixels below its top, a scroll bar along the right
// edge and the size box in the bottom-right corner. Its size is remembered per kind, key,
// screen resolution and user in GetINI(1).
class CIntelliPopupWnd final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CIntelliPopupWnd)

public:
    // Made for `popup`'s field, owned by the field's window `owner`; sized from the remembered
    // WIDTH and HEIGHT, or field width + 400 by 180 pixels.
    CIntelliPopupWnd(CIntelliPopupImpl& popup, QWidget* owner);
    ~CIntelliPopupWnd() override;

    QListWidget* List() const { return m_list; }
    QScrollBar* ScrollBar() const { return m_scroll; }
    CIntelliSize* SizeBox() const { return m_size; }

    // List mechanics, in rows.
    int RowsPerPage() const;
    int TopRow() const;
    // The row under a point of the list's viewport, -1 when none.
    int RowAt(const QPoint& listPos) const;
    void ScrollBy(int rows);
    // Range 0 to rows - rows per page, position the top row; disabled when all rows fit.
    void UpdateScrollBar();

    // The settings key of the remembered "WIDTH" or "HEIGHT".
    QString SizeKey(const char* which) const;
    // The user may not make the popup smaller than this.
    QSize MinimumSize() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void LayOut();

    CIntelliPopupImpl& m_popup;
    QListWidget* m_list;
    QScrollBar* m_scroll;
    CIntelliSize* m_size;
    CIntelliListHook* m_listHook;
};

}  // namespace kelo
