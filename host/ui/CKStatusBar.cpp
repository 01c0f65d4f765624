#include "host/ui/CKStatusBar.h"

#include <QLabel>

#include "host/util/Dates.h"

namespace kelo {

CKStatusBar::CKStatusBar(QWidget* parent) : QStatusBar(parent) { setSizeGripEnabled(true); }

void CKStatusBar::SetPanes(const std::vector<Pane>& panes)
{
    for (const Slot& s : m_panes) {
        removeWidget(s.label);
        delete s.label;
    }
    m_panes.clear();
    m_inProgress = false;
    const int charWidth = fontMetrics().averageCharWidth();
    for (const Pane& pane : panes) {
        auto* label = new QLabel(this);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setIndent(3);
        if (pane.width > 0) {
            label->setFixedWidth(pane.width * charWidth + 12);
            label->setAlignment(Qt::AlignCenter);
            addPermanentWidget(label, 0);
        } else {
            addWidget(label, 1);
        }
        m_panes.push_back({pane.id, label});
    }
}

QLabel* CKStatusBar::Find(int id) const
{
    for (const Slot& s : m_panes)
        if (s.id == id) return s.label;
    return nullptr;
}

bool CKStatusBar::SetPaneText(int id, const QString& text)
{
    QLabel* label = Find(id);
    if (!label) return false;
    label->setText(text);
    return true;
}

QString CKStatusBar::PaneText(int id) const
{
    const QLabel* label = Find(id);
    return label ? label->text() : QString();
}

bool CKStatusBar::SetPaneDate(int id, uint16_t date)
{
    return SetPaneText(id, QString::fromStdString(DateNumberToFullString(date)));
}

void CKStatusBar::SetProgressText(const QString& text)
{
    if (m_panes.empty()) {
        showMessage(text);
        return;
    }
    QLabel* first = m_panes.front().label;
    if (!m_inProgress) m_savedText = first->text();
    m_inProgress = true;
    first->setText(text);
}

void CKStatusBar::ClearProgressText()
{
    if (m_panes.empty()) {
        clearMessage();
        return;
    }
    if (!m_inProgress) return;
    m_inProgress = false;
    m_panes.front().label->setText(m_savedText);
}

}  // namespace kelo
