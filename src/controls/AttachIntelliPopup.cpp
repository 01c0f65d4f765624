#include "src/controls/AttachIntelliPopup.h"

#include <QLineEdit>
#include <QString>

#include "host/ui/CKAccountSearch.h"
#include "src/app/StringTable.h"
#include "src/controls/CIntelliPopupImpl.h"

namespace kelo {

namespace {

QLineEdit* FindEdit(QWidget* control)
{
    for (QWidget* w = control; w;) {
        if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit;
        const QList<QWidget*> children = w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        if (children.isEmpty()) return nullptr;
        // A combination box keeps its edit among other children: prefer it to the first.
        QWidget* next = children.front();
        for (QWidget* c : children)
            if (qobject_cast<QLineEdit*>(c)) next = c;
        w = next;
    }
    return nullptr;
}

}  // namespace

bool AttachIntelliPopup(CIntelliPopupImpl& popup, QWidget* control, uint32_t kind, uint32_t flag,
                        IntelliHistorySource history, CKSearchFunction provider,
                        intptr_t userValue)
{
    QLineEdit* edit = FindEdit(control);
    if (!edit) return false;
    QString key;
    if (history.stringId != 0)
        key = QString::fromLatin1(StringTable::Load(history.stringId).c_str());
    else if (history.registryPath)
        key = QString::fromLatin1(history.registryPath);
    popup.Attach(edit, kind, flag, key, key.isEmpty() ? (provider ? provider : &CKAccountSearch::Search) : nullptr,
                 userValue);
    return true;
}

}  // namespace kelo
