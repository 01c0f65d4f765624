#pragma once

#include <cstdint>

#include <QTreeWidget>

namespace kelo {

// The category tree of the left pane: a flat list of items, each with a text and a 32-bit value
// chosen by the page that adds it. Items are addressed by their position (0 = the first); -1
// means no item.
//
// itemSelected is raised only when the user changes the selection (mouse or keys), with the item
// the user went to: a mouse press makes an item current before it selects it, so a listener must
// take the item it is given. The calls below change the tree silently, since a page that fills
// the tree starts its own fill. The selection is greyed while another control has the focus.
class CKTreeView final : public QTreeWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKTreeView)

public:
    explicit CKTreeView(QWidget* parent = nullptr, int id = 0);

    int GetDlgCtrlID() const { return m_id; }

    void DeleteAllItems();
    // Adds an item at the top level after the others; returns its position. `image` picks one
    // of the three item images (0, 1, 2).
    int AddItem(const QString& text, uint32_t value, int image = 0);
    int ItemCount() const;
    // 0 when there is an item, else -1.
    int GetFirstItem() const;
    int GetSelectedItem() const;
    // The value given to AddItem; 0 for an item that does not exist.
    uint32_t GetItemValue(int item) const;
    QString GetItemText(int item) const;
    // Selects an item (-1: none) without raising itemSelected. False for a bad item.
    bool SelectItem(int item);

signals:
    void itemSelected(int item, uint32_t value);

protected:
    void initViewItemOption(QStyleOptionViewItem* option) const override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_id;
    bool m_silent = false;
};

}  // namespace kelo
