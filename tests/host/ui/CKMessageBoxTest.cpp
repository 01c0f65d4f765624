#include "host/ui/CKMessageBox.h"

#include <gtest/gtest.h>

#include "host/ui/CKScriptedAnswerer.h"

namespace kelo {
namespace {

TEST(CKMessageBox, ScriptedAnswererRecordsTextKindAndTitleAndAnswersInOrder)
{
    CKScriptedAnswerer answers{MsgAnswer::Yes, MsgAnswer::Cancel};
    EXPECT_EQ(CKMessageBox::Show(nullptr, "Delete it?", MsgKind::YesNo), MsgAnswer::Yes);
    EXPECT_EQ(CKMessageBox::Show(nullptr, "Saved.", MsgKind::Information), MsgAnswer::Ok)
        << "an OK box does not take a question's answer";
    EXPECT_EQ(CKMessageBox::Show(nullptr, "Save?", MsgKind::YesNoCancel, "Other", kMsgDefaultSecond),
              MsgAnswer::Cancel);
    EXPECT_EQ(CKMessageBox::Show(nullptr, "Again?", MsgKind::YesNo), MsgAnswer::No)
        << "the fallback once the script is used up";
    ASSERT_EQ(answers.Count(), 4);
    const auto& m = answers.Messages();
    EXPECT_EQ(m[0].text, "Delete it?");
    EXPECT_EQ(m[0].kind, 5);
    EXPECT_EQ(m[0].title, "Kelo Task Manager");
    EXPECT_EQ(m[1].kind, 3);
    EXPECT_EQ(m[2].title, "Other");
    EXPECT_EQ(m[2].extra, 0x100);
    EXPECT_EQ(answers.Unused(), 0);

    // A nested answerer takes the boxes while it lives, then the outer one answers again.
    {
        CKScriptedAnswerer inner{MsgAnswer::Yes};
        EXPECT_EQ(CKMessageBox::Show(nullptr, "inner", MsgKind::YesNo), MsgAnswer::Yes);
        EXPECT_EQ(inner.Count(), 1);
    }
    CKMessageBox::Show(nullptr, "outer", 0);
    ASSERT_EQ(answers.Count(), 5);
    EXPECT_EQ(answers.Messages()[4].text, "outer");
    EXPECT_EQ(answers.Messages()[4].kind, 0);
}

}  // namespace
}  // namespace kelo
