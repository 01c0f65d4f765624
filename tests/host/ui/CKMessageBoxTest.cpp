#include "host/ui/CKMessageBox.h"

#include <gtest/gtest.h>

#include "host/ui/CKScriptedAnswerer.h"

namespace kelo {
namespace {

TEST(CKMessageBox, BoxesCarryTheProgramsTitleUnlessGivenOneAndOkBoxesTakeNoAnswer)
{
    CKScriptedAnswerer answers{MsgAnswer::Yes, MsgAnswer::Cancel};
    EXPECT_EQ(CKMessageBox::Show(nullptr, "Saved.", MsgKind::Information), MsgAnswer::Ok);
    EXPECT_EQ(CKMessageBox::Show(nullptr, "Delete it?", MsgKind::YesNo), MsgAnswer::Yes);
    EXPECT_EQ(CKMessageBox::Show(nullptr, "Save?", MsgKind::YesNoCancel, "Other"), MsgAnswer::Cancel);
    ASSERT_EQ(answers.Count(), 3);
    EXPECT_EQ(answers.Messages()[1].title, "Kelo Task Manager");
    EXPECT_EQ(answers.Messages()[2].title, "Other");
}

}  // namespace
}  // namespace kelo
