#include "host/ui/CKStatusBar.h"

#include <gtest/gtest.h>

#include "host/util/Dates.h"

namespace kelo {
namespace {

TEST(CKStatusBar, PanesByIdWithTheDateAndProgressText)
{
    CKStatusBar bar;
    bar.SetPanes({{0, 0}, {CKStatusBar::kDatePane, 12}});
    EXPECT_TRUE(bar.SetPaneText(0, "Ready"));
    EXPECT_TRUE(bar.SetPaneDate(CKStatusBar::kDatePane, DateNumberFromComponents(5, 3, 2027)));
    EXPECT_EQ(bar.PaneText(CKStatusBar::kDatePane), "05/03/2027");
    bar.SetPaneDate(CKStatusBar::kDatePane, 0);
    EXPECT_EQ(bar.PaneText(CKStatusBar::kDatePane), "");

    bar.SetProgressText("Reading 100 of 5000");
    bar.SetProgressText("Reading 200 of 5000");
    EXPECT_EQ(bar.PaneText(0), "Reading 200 of 5000");
    bar.ClearProgressText();
    EXPECT_EQ(bar.PaneText(0), "Ready") << "the text from before the first progress";
}

}  // namespace
}  // namespace kelo
