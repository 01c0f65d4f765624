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
    connect(m_tree, &CKTreeView::itemSelected, this, [this](int, uint32_t) { OnTreeSelChanged(); });
}

void CTreeDialog::OnTreeSelChanged()
{
    const int item = m_tree->GetSelectedItem();
    if (item < 0) return;
    m_owner.OnCategorySelected(item, m_tree->GetItemValue(item));
}

}  // namespace kelo
