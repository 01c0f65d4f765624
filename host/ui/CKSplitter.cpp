#include "host/ui/CKSplitter.h"

#include <QChildEvent>

#include "host/ui/CKDialog.h"

namespace kelo {

CKSplitter::CKSplitter(QWidget* parent, int id) : QSplitter(Qt::Horizontal, parent), m_id(id)
{
    setChildrenCollapsible(false);
    setHandleWidth(5);
}

void CKSplitter::childEvent(QChildEvent* event)
{
    // QSplitter makes every new child widget a pane of its own; here only CreateDlg and
    // ReplaceDlg make panes, so a page created with the splitter as parent waits outside.
    if (event->type() == QEvent::ChildAdded) {
        QFrame::childEvent(event);
        return;
    }
    QSplitter::childEvent(event);
}

void CKSplitter::TakeOutOfPanes(CKDialog* dialog)
{
    // QSplitter refuses to put one of its own children in a pane: detach it first.
    if (dialog->parentWidget() == this) dialog->setParent(nullptr);
}

bool CKSplitter::CreateDlg(int row, int column, CKDialog* dialog)
{
    if (row != 0 || !dialog || column < 0) return false;
    if (column < count()) return widget(column) == dialog;
    TakeOutOfPanes(dialog);
    if (column != count()) return false;
    insertWidget(column, dialog);
    return true;
}

bool CKSplitter::ReplaceDlg(int row, int column, CKDialog* dialog)
{
    if (row != 0 || !dialog || column < 0) return false;
    if (column < count() && widget(column) == dialog) return true;
    TakeOutOfPanes(dialog);
    if (column >= count()) {
        if (column > count()) return false;
        insertWidget(column, dialog);
        return true;
    }
    QWidget* old = replaceWidget(column, dialog);
    if (auto* oldDialog = qobject_cast<CKDialog*>(old))
        oldDialog->DestroyWindow();
    else if (old)
        old->deleteLater();
    return true;
}

bool CKSplitter::ShowPane(int row, int column, bool show)
{
    if (row != 0 || column < 0 || column >= count()) return false;
    widget(column)->setVisible(show);
    return true;
}

CKDialog* CKSplitter::GetPane(int row, int column) const
{
    if (row != 0 || column < 0 || column >= count()) return nullptr;
    return qobject_cast<CKDialog*>(widget(column));
}

int CKSplitter::PaneCount() const { return count(); }

}  // namespace kelo
