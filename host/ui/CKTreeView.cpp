#include "host/ui/CKTreeView.h"

#include <algorithm>

#include <QHeaderView>
#include <QStyleOptionViewItem>

#include "host/ui/CKIcons.h"
#include "host/ui/CKSelectionColours.h"

namespace kelo {

namespace {

constexpr int kValueRole = Qt::UserRole + 1;

// Holds the tree silent while the program changes it, so only the user's choices are reported.
class Silence {
public:
    explicit Silence(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~Silence() { m_flag = m_old; }

private:
    bool& m_flag;
    bool m_old;
};

}  // namespace

CKTreeView::CKTreeView(QWidget* parent, int id) : QTreeWidget(parent), m_id(id)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(16, 16));
    UseFocusSelectionColours(this);
    // Raised once the selection itself has moved: a mouse press moves the current item before
    // the selection, and a listener asking for the selected item then would get the old one.
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (m_silent) return;
        const int item = GetSelectedItem();
        if (item >= 0) emit itemSelected(item, GetItemValue(item));
    });
}

void CKTreeView::DeleteAllItems()
{
    Silence s(m_silent);
    clear();
}

int CKTreeView::AddItem(const QString& text, uint32_t value, int image)
{
    Silence s(m_silent);
    auto* item = new QTreeWidgetItem(this, QStringList{text});
    item->setData(0, kValueRole, QVariant::fromValue<quint32>(value));
    item->setIcon(0, CKIcons::ForBitmap(9 + std::clamp(image, 0, 2)));
    return indexOfTopLevelItem(item);
}

int CKTreeView::ItemCount() const { return topLevelItemCount(); }

int CKTreeView::GetFirstItem() const { return topLevelItemCount() > 0 ? 0 : -1; }

int CKTreeView::GetSelectedItem() const
{
    const QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : indexOfTopLevelItem(items.front());
}

uint32_t CKTreeView::GetItemValue(int item) const
{
    const QTreeWidgetItem* it = topLevelItem(item);
    return it ? it->data(0, kValueRole).value<quint32>() : 0;
}

QString CKTreeView::GetItemText(int item) const
{
    const QTreeWidgetItem* it = topLevelItem(item);
    return it ? it->text(0) : QString();
}

bool CKTreeView::SelectItem(int item)
{
    Silence s(m_silent);
    if (item == -1) {
        clearSelection();
        setCurrentItem(nullptr);
        return true;
    }
    QTreeWidgetItem* it = topLevelItem(item);
    if (!it) return false;
    setCurrentItem(it);
    it->setSelected(true);
    return true;
}

void CKTreeView::initViewItemOption(QStyleOptionViewItem* option) const
{
    QTreeWidget::initViewItemOption(option);
    if (!hasFocus()) option->state &= ~QStyle::State_Active;
}

void CKTreeView::focusInEvent(QFocusEvent* event)
{
    QTreeWidget::focusInEvent(event);
    viewport()->update();
}

void CKTreeView::focusOutEvent(QFocusEvent* event)
{
    QTreeWidget::focusOutEvent(event);
    viewport()->update();
}

}  // namespace kelo
