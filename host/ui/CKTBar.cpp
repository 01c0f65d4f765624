#include "host/ui/CKTBar.h"

#include <QAction>
#include <QPixmap>
#include <QToolButton>

#include "host/ui/CKIcons.h"

namespace kelo {

namespace {
constexpr const char* kCommandProperty = "kelo.command";
}

CKTBar::CKTBar(const QString& title, QWidget* parent, int id) : QToolBar(title, parent), m_id(id)
{
    setObjectName(title);
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(24, 24));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

QAction* CKTBar::Find(int command) const
{
    for (QAction* a : actions())
        if (a->property(kCommandProperty).toInt() == command && !a->isSeparator()) return a;
    return nullptr;
}

bool CKTBar::AddButton(int command, const QString& label, const QIcon& icon)
{
    if (Find(command)) return false;
    QAction* a = addAction(icon, label);
    a->setProperty(kCommandProperty, command);
    a->setToolTip(QString(label).remove(QLatin1Char('&')));
    connect(a, &QAction::triggered, this, [this, command] { emit commandTriggered(command); });
    if (QWidget* w = widgetForAction(a)) w->setObjectName(QStringLiteral("button%1").arg(command));
    return true;
}

bool CKTBar::AddButton(int command, const QString& label, int bitmap)
{
    return AddButton(command, label, CKIcons::ForBitmap(bitmap));
}

bool CKTBar::HasButton(int command) const { return Find(command) != nullptr; }

bool CKTBar::DeleteButton(int command)
{
    QAction* a = Find(command);
    if (!a) return false;
    removeAction(a);
    delete a;
    return true;
}

int CKTBar::ButtonCount() const { return static_cast<int>(Commands().size()); }

std::vector<int> CKTBar::Commands() const
{
    std::vector<int> out;
    for (QAction* a : actions())
        if (!a->isSeparator() && a->property(kCommandProperty).isValid())
            out.push_back(a->property(kCommandProperty).toInt());
    return out;
}

bool CKTBar::EnableButton(int command, bool enable)
{
    QAction* a = Find(command);
    if (!a) return false;
    a->setEnabled(enable);
    return true;
}

bool CKTBar::IsButtonEnabled(int command) const
{
    const QAction* a = Find(command);
    return a && a->isEnabled();
}

void CKTBar::ShowLabels(bool show)
{
    m_labels = show;
    setToolButtonStyle(show ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
}

void CKTBar::SetBackground(const QString& imagePath)
{
    if (imagePath.isEmpty()) {
        setStyleSheet(QString());
        return;
    }
    if (QPixmap(imagePath).isNull()) return;
    setStyleSheet(QStringLiteral("QToolBar { border-image: url(\"%1\"); }").arg(imagePath));
}

bool CKTBar::Press(int command)
{
    QAction* a = Find(command);
    if (!a || !a->isEnabled()) return false;
    a->trigger();
    return true;
}

}  // namespace kelo
