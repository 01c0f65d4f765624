#include "host/ui/CKCalcEdit.h"

#include <QFocusEvent>
#include <QRegularExpressionValidator>

#include "host/util/Money.h"

namespace kelo {

CKCalcEdit::CKCalcEdit(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^-?[0-9]{0,9}(\\.[0-9]{0,2})?$")), this));
    setAlignment(Qt::AlignRight);
    SetValue(0);
}

double CKCalcEdit::Value() const
{
    bool ok = false;
    const double value = text().toDouble(&ok);
    return ok ? value : 0.0;
}

void CKCalcEdit::SetValue(double value)
{
    setText(QString::number(NormaliseZero(Round(value, 2)), 'f', 2));
}

void CKCalcEdit::focusOutEvent(QFocusEvent* event)
{
    // Shown as the amount it stands for, keeping the user's mark so the dialog still sees an edit.
    const bool modified = isModified();
    SetValue(Value());
    setModified(modified);
    QLineEdit::focusOutEvent(event);
}

}  // namespace kelo
