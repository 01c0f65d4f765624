#include "host/ui/CKTreeView.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace kelo {
namespace {

// What the mouse and keys do to the tree is driven through the real window end to end; here,
// that the program's own changes are not taken for the user's.
TEST(CKTreeView, TheProgramsOwnChangesAreSilent)
{
    CKTreeView tree;
    QSignalSpy selected(&tree, &CKTreeView::itemSelected);
    tree.AddItem("Current", 1);
    tree.AddItem("Overdue", 2);
    EXPECT_TRUE(tree.SelectItem(1));
    EXPECT_EQ(tree.GetSelectedItem(), 1);
    EXPECT_FALSE(tree.SelectItem(2));
    EXPECT_EQ(tree.GetItemValue(1), 2u);
    EXPECT_EQ(tree.GetItemValue(2), 0u);
    tree.DeleteAllItems();
    EXPECT_EQ(tree.GetSelectedItem(), -1);
    EXPECT_EQ(selected.count(), 0);
}

}  // namespace
}  // namespace kelo
