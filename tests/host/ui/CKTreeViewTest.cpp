#include "host/ui/CKTreeView.h"

#include <vector>

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace kelo {
namespace {

TEST(CKTreeView, OnlyTheUsersChoiceIsReported)
{
    CKTreeView tree;
    QSignalSpy selected(&tree, &CKTreeView::itemSelected);
    tree.AddItem("Current", 1);
    tree.AddItem("Overdue", 2);
    tree.AddItem("Paid", 4);
    EXPECT_TRUE(tree.SelectItem(0));
    EXPECT_EQ(tree.GetSelectedItem(), 0);
    EXPECT_FALSE(tree.SelectItem(3));
    EXPECT_EQ(tree.GetItemValue(3), 0u);
    EXPECT_EQ(selected.count(), 0) << "the program's own changes are silent";

    tree.show();
    tree.setFocus();
    QTest::keyClick(tree.viewport(), Qt::Key_Down);
    QTest::keyClick(&tree, Qt::Key_Down);
    ASSERT_GE(selected.count(), 1);
    EXPECT_EQ(tree.GetSelectedItem(), selected.last().at(0).toInt());
    EXPECT_EQ(selected.last().at(1).value<uint32_t>(), tree.GetItemValue(tree.GetSelectedItem()));

    // A click: whoever hears the signal finds the clicked item selected already.
    std::vector<int> selectedWhenHeard;
    QObject::connect(&tree, &CKTreeView::itemSelected,
                     [&](int, uint32_t) { selectedWhenHeard.push_back(tree.GetSelectedItem()); });
    const QRect current = tree.visualItemRect(tree.topLevelItem(0));
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, current.center());
    EXPECT_EQ(selected.last().at(0).toInt(), 0);
    EXPECT_EQ(selectedWhenHeard, std::vector<int>{0});

    const int before = selected.count();
    tree.DeleteAllItems();
    EXPECT_EQ(selected.count(), before);
    EXPECT_EQ(tree.GetSelectedItem(), -1);
}

// The pane with the focus shows its chosen category in the highlight colour; without the focus
// the category is greyed, so the tree and the list beside it do not look alike.
TEST(CKTreeView, TheSelectionIsGreyedWithoutTheFocus)
{
    QWidget window;
    auto* tree = new CKTreeView(&window);
    auto* other = new QLineEdit(&window);
    tree->resize(200, 150);
    other->move(0, 160);
    tree->AddItem("First", 1);
    tree->AddItem("Second", 2);
    tree->SelectItem(1);
    window.resize(220, 200);
    window.show();
    QApplication::setActiveWindow(&window);
    const QRect row = tree->visualItemRect(tree->topLevelItem(1));
    const QPoint probe(row.right() - 2, row.center().y());
    auto colourAt = [&] { return tree->viewport()->grab().toImage().pixelColor(probe).rgb(); };
    tree->setFocus();
    QCoreApplication::processEvents();
    const QRgb focused = colourAt();
    other->setFocus();
    QCoreApplication::processEvents();
    const QRgb unfocused = colourAt();
    EXPECT_EQ(unfocused, tree->palette().color(QPalette::Inactive, QPalette::Highlight).rgb());
    EXPECT_NE(focused, unfocused);
}

}  // namespace
}  // namespace kelo
