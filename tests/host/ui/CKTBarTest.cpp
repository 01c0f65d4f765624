#include "host/ui/CKTBar.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace kelo {
namespace {

TEST(CKTBar, ADisabledButtonDeliversNothingAndDeleteTakesOnlyItsButton)
{
    CKTBar bar("Main");
    QSignalSpy triggered(&bar, &CKTBar::commandTriggered);
    EXPECT_TRUE(bar.AddButton(32794, "New", 5));
    EXPECT_TRUE(bar.AddButton(32795, "Open", 6));
    EXPECT_TRUE(bar.AddButton(32798, "Pay", 8));
    EXPECT_FALSE(bar.AddButton(32794, "New again", 5));

    EXPECT_TRUE(bar.EnableButton(32798, false));
    EXPECT_FALSE(bar.Press(32798));
    EXPECT_TRUE(bar.EnableButton(32798, true));
    EXPECT_TRUE(bar.Press(32798));
    ASSERT_EQ(triggered.count(), 1);
    EXPECT_EQ(triggered.at(0).at(0).toInt(), 32798);

    EXPECT_TRUE(bar.DeleteButton(32795));
    EXPECT_FALSE(bar.DeleteButton(32795));
    EXPECT_EQ(bar.Commands(), (std::vector<int>{32794, 32798}));
}

}  // namespace
}  // namespace kelo
