#include "host/ui/CKMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kelo {

namespace {

CKMessageBox::Answerer& Installed()
{
    static CKMessageBox::Answerer answerer;
    return answerer;
}

}  // namespace

MsgAnswer CKMessageBox::Show(QWidget* owner, const QString& text, int kind, const QString& title,
                             int extra)
{
    const Answerer& answerer = Installed();
    if (answerer) return answerer(owner, text, kind, title, extra);
    return ShowDialog(owner, text, kind, title, extra);
}

CKMessageBox::Answerer CKMessageBox::SetAnswerer(Answerer answerer)
{
    Answerer previous = std::move(Installed());
    Installed() = std::move(answerer);
    return previous;
}

MsgAnswer CKMessageBox::ShowDialog(QWidget* owner, const QString& text, int kind,
                                   const QString& title, int extra)
{
    QMessageBox box(owner ? owner : QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(text);
    switch (kind) {
    case MsgKind::Stop: box.setIcon(QMessageBox::Critical); break;
    case MsgKind::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgKind::Information:
    case MsgKind::Information2: box.setIcon(QMessageBox::Information); break;
    case MsgKind::YesNo:
    case MsgKind::YesNoCancel: box.setIcon(QMessageBox::Question); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    if (kind == MsgKind::YesNo || kind == MsgKind::YesNoCancel) {
        QPushButton* yes = box.addButton(QMessageBox::Yes);
        QPushButton* no = box.addButton(QMessageBox::No);
        QPushButton* cancel =
            kind == MsgKind::YesNoCancel ? box.addButton(QMessageBox::Cancel) : nullptr;
        box.setDefaultButton((extra & kMsgDefaultSecond) ? no : yes);
        box.setEscapeButton(cancel ? cancel : no);
        box.exec();
        if (box.clickedButton() == yes) return MsgAnswer::Yes;
        if (box.clickedButton() == no) return MsgAnswer::No;
        return cancel ? MsgAnswer::Cancel : MsgAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    return MsgAnswer::Ok;
}

}  // namespace kelo
