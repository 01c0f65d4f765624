#include "host/ui/CKPopupField.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace kelo {

CKPopupField::CKPopupField(QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_button(new QToolButton(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    m_button->setText(QStringLiteral("..."));
    m_button->setToolTip(QStringLiteral("List (F4)"));
    // The button must not take the focus from the edit: leaving the edit validates the code.
    m_button->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(m_edit);
    setFocusPolicy(Qt::StrongFocus);
    connect(m_button, &QToolButton::clicked, this, &CKPopupField::buttonClicked);
    m_edit->installEventFilter(this);
}

bool CKPopupField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F4 ||
            (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier))) {
            emit buttonClicked();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString CKPopupField::Text() const { return m_edit->text(); }

void CKPopupField::SetText(const QString& text)
{
    m_edit->setText(text.left(m_edit->maxLength()));
    m_edit->setModified(true);
    emit textChosen(m_edit->text());
}

void CKPopupField::SetTextQuietly(const QString& text)
{
    m_edit->setText(text.left(m_edit->maxLength()));
}

void CKPopupField::SetLimit(int characters) { m_edit->setMaxLength(characters); }
bool CKPopupField::IsModified() const { return m_edit->isModified(); }
void CKPopupField::SetModified(bool modified) { m_edit->setModified(modified); }

void CKPopupField::SetOpenList(QWidget* list)
{
    m_openList = list;
    if (list) emit listOpened();
}

}  // namespace kelo
