#include "src/app/CTreeDialog.h"

#include <QVBoxLayout>

#include "host/ui/CKTreeView.h"
#include "src/app/CReminderDialog.h"

namespace kelo {

CTreeDialog::CTreeDialog(QWidget* parent, CReminderDialog& owner)
    : CKDialog(kDialogId, parent), m_tree(new CKTreeView(this, kTreeId)), m_owner(owner)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    connect(m_tree, &CKTreeView::itemSelected, this,
            [this](int item, uint32_t) { OnTreeSelChanged(item); });
}

void CTreeDialog::OnTreeSelChanged(int item)
{
    // The item the tree reports, not its selection: a mouse press makes the item current before
    // it selects it, so the selection still names the category chosen before.
    if (item < 0 || item >= m_tree->ItemCount()) return;
    m_owner.OnCategorySelected(item, m_tree->GetItemValue(item));
}

}  // namespace kelo
