#include "src/records/CRecordWrite.h"

#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/data/FileMap.h"
#include "host/data/ToDoRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "src/app/StringTable.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/FakeTaskServices.h"
#include "tests/pages/ToDoRecords.h"

namespace kelo {
namespace {

using Result = CRecordWrite::Result;

// Two desks on one company: "ours" runs the rule; "theirs" is a second open of the company, as
// another process would be (its record locks exclude ours).
class RecordWriteTest : public ::testing::Test {
protected:
    CRecordWrite Rule()
    {
        return CRecordWrite(services, CBToDo::GetStaticResourcesFor(kResourceSave), kFileToDo,
                            CRecordWrite::RecordWithNotes(kFileToDo, kFileToDoNotes,
                                                          kToDoNotesBlock));
    }
    void TheirDescription(uint32_t recNo, const std::string& text)
    {
        std::vector<uint8_t> rec(kToDoLength);
        ReadRec(theirs.File(kFileToDo), recNo, rec.data());
        SetText(rec.data(), kToDoDescription, text);
        WriteRec(theirs.File(kFileToDo), recNo, rec.data());
    }
    void TheirDelete(uint32_t recNo)
    {
        std::vector<uint8_t> rec(kToDoLength, 0xFF);
        WriteRec(theirs.File(kFileToDo), recNo, rec.data());
    }
    std::string Description(uint32_t recNo)
    {
        std::vector<uint8_t> rec(kToDoLength);
        ReadRec(company.Context().File(kFileToDo), recNo, rec.data());
        return GetText(rec.data(), kToDoDescription);
    }
    // Our write: the Description "ours"; records whether it ran and what it was told.
    CRecordWrite::Writer Ours(uint32_t recNo)
    {
        return [this, recNo](DataContext& files, bool vanished) {
            ++writes;
            sawVanished = vanished;
            std::vector<uint8_t> rec(kToDoLength, 0);
            ReadRec(files.File(kFileToDo), recNo, rec.data());
            if (vanished) std::fill(rec.begin(), rec.end(), uint8_t{0});
            SetText(rec.data(), kToDoDescription, "ours");
            WriteRec(files.File(kFileToDo), recNo, rec.data());
        };
    }

    test::TempCompany company;
    test::FakeTaskServices services{company.Context(), "ANNA"};
    DataContext theirs = DataContext::Open(company.Folder());
    uint32_t rec = test::AddToDo(company.Context(), "as read", "General Reminder", "ANNA", 45000);
    int writes = 0;
    bool sawVanished = false;
};

TEST_F(RecordWriteTest, AnUnchangedRecordIsWrittenWithoutAQuestionAndTheLockGoesAfterwards)
{
    CKScriptedAnswerer answers;
    CRecordWrite rule = Rule();
    rule.HoldCurrent(rec);
    EXPECT_EQ(rule.Save(Ours(rec)), Result::Written);
    EXPECT_EQ(answers.Count(), 0);
    EXPECT_EQ(Description(rec), "ours");
    EXPECT_EQ(LockRec(theirs.File(kFileToDo), rec), 1) << "our lock was given back";
    UnLockRec(theirs.File(kFileToDo), rec);
    // The copy now is the record as written, so a second save from the same dialog is plain.
    EXPECT_EQ(rule.Save(Ours(rec)), Result::Written);
    EXPECT_EQ(answers.Count(), 0);
}

TEST_F(RecordWriteTest, ALockHeldByAnotherUserWritesNothing)
{
    CKScriptedAnswerer answers;
    CRecordWrite rule = Rule();
    rule.HoldCurrent(rec);
    ASSERT_EQ(LockRec(theirs.File(kFileToDo), rec), 1);
    EXPECT_EQ(rule.Save(Ours(rec)), Result::Cancelled);
    EXPECT_EQ(rule.Delete(Ours(rec)), Result::Cancelled);
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(Description(rec), "as read");
    ASSERT_EQ(answers.Count(), 2);
    EXPECT_EQ(answers.Messages()[0].text.trimmed().toStdString(),
              StringTable::Load(CRecordWrite::kLockedByOther));
    UnLockRec(theirs.File(kFileToDo), rec);
}

TEST_F(RecordWriteTest, AnotherUsersChangeIsAQuestionAndTheAnswerDecides)
{
    struct Case {
        const char* what;
        bool deleted;     // they deleted it rather than changed it
        MsgAnswer answer;
        Result result;
        const char* after;  // Description afterwards
        int question;
    };
    const Case cases[] = {
        {"changed, overwrite", false, MsgAnswer::Yes, Result::Written, "ours",
         CRecordWrite::kChangedOnSave},
        {"changed, keep theirs", false, MsgAnswer::No, Result::Discarded, "theirs",
         CRecordWrite::kChangedOnSave},
        {"changed, back to the dialog", false, MsgAnswer::Cancel, Result::Cancelled, "theirs",
         CRecordWrite::kChangedOnSave},
        {"deleted, save again", true, MsgAnswer::Yes, Result::Written, "ours",
         CRecordWrite::kDeletedOnSave},
        {"deleted, leave it", true, MsgAnswer::No, Result::Discarded, "", 
         CRecordWrite::kDeletedOnSave},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const uint32_t r = test::AddToDo(company.Context(), "as read", "General Reminder",
                                         "ANNA", 45000);
        CKScriptedAnswerer answers{c.answer};
        CRecordWrite rule = Rule();
        rule.HoldCurrent(r);
        if (c.deleted) TheirDelete(r);
        else TheirDescription(r, "theirs");
        writes = 0;
        EXPECT_EQ(rule.Save(Ours(r)), c.result);
        ASSERT_EQ(answers.Count(), 1);
        EXPECT_EQ(answers.Messages()[0].kind, MsgKind::YesNoCancel);
        EXPECT_EQ(answers.Messages()[0].text.trimmed().toStdString(),
                  StringTable::Load(c.question));
        EXPECT_EQ(writes, c.result == Result::Written ? 1 : 0);
        if (c.result == Result::Written) {
            EXPECT_EQ(sawVanished, c.deleted);
        }
        if (!c.deleted || c.result == Result::Written) {
            EXPECT_EQ(Description(r), c.after);
        }
    }
}

TEST_F(RecordWriteTest, ANotesOnlyChangeCountsAsAChange)
{
    CKScriptedAnswerer answers{MsgAnswer::No};
    CRecordWrite rule = Rule();
    rule.HoldCurrent(rec);
    std::vector<uint8_t> stored(kToDoLength);
    ReadRec(theirs.File(kFileToDo), rec, stored.data());
    const int32_t block = WriteMemoBlock(theirs.File(kFileToDoNotes), "their note", 11, -1);
    SetI32(stored.data(), kToDoNotesBlock, block);
    WriteRec(theirs.File(kFileToDo), rec, stored.data());
    const std::string text = "their second note";
    WriteMemoBlock(theirs.File(kFileToDoNotes), text.c_str(), text.size() + 1, block);

    EXPECT_EQ(rule.Save(Ours(rec)), Result::Discarded);
    EXPECT_EQ(answers.Count(), 1);
    EXPECT_EQ(writes, 0);
}

TEST_F(RecordWriteTest, DeleteAsksAboutAChangeAndSaysWhenTheRecordIsAlreadyGone)
{
    {
        CKScriptedAnswerer answers{MsgAnswer::No};
        CRecordWrite rule = Rule();
        rule.HoldCurrent(rec);
        TheirDescription(rec, "theirs");
        EXPECT_EQ(rule.Delete(Ours(rec)), Result::Discarded);
        ASSERT_EQ(answers.Count(), 1);
        EXPECT_EQ(answers.Messages()[0].kind, MsgKind::YesNo);
        EXPECT_EQ(answers.Messages()[0].text.trimmed().toStdString(),
                  StringTable::Load(CRecordWrite::kChangedOnDelete));
        EXPECT_EQ(writes, 0);
    }
    {
        CKScriptedAnswerer answers{MsgAnswer::Yes};
        CRecordWrite rule = Rule();
        rule.HoldCurrent(rec);
        TheirDescription(rec, "theirs again");
        EXPECT_EQ(rule.Delete(Ours(rec)), Result::Written);
        EXPECT_EQ(writes, 1);
    }
    {
        CKScriptedAnswerer answers;
        CRecordWrite rule = Rule();
        rule.HoldCurrent(rec);
        TheirDelete(rec);
        EXPECT_EQ(rule.Delete(Ours(rec)), Result::Discarded);
        ASSERT_EQ(answers.Count(), 1);
        EXPECT_EQ(answers.Messages()[0].text.trimmed().toStdString(),
                  StringTable::Load(CRecordWrite::kDeletedOnDelete));
        EXPECT_EQ(writes, 1) << "nothing more ran";
    }
}

TEST_F(RecordWriteTest, AWriteThatThrowsLeavesNothingAndGivesTheLockBack)
{
    CRecordWrite rule = Rule();
    rule.HoldCurrent(rec);
    EXPECT_THROW(rule.Save([&](DataContext& files, bool v) {
        Ours(rec)(files, v);
        throw std::runtime_error("disk full");
    }),
                 std::runtime_error);
    EXPECT_EQ(Description(rec), "as read");
    EXPECT_EQ(LockRec(theirs.File(kFileToDo), rec), 1);
    UnLockRec(theirs.File(kFileToDo), rec);
}

TEST_F(RecordWriteTest, ANewRecordIsWrittenWithNoLockAndNoCheck)
{
    CKScriptedAnswerer answers;
    CRecordWrite rule = Rule();
    rule.Hold(0, {});
    bool ran = false;
    EXPECT_EQ(rule.Save([&](DataContext&, bool vanished) { ran = !vanished; }), Result::Written);
    EXPECT_TRUE(ran);
    EXPECT_EQ(rule.Delete([&](DataContext&, bool) { ran = false; }), Result::Discarded);
    EXPECT_TRUE(ran) << "a record never written has nothing to delete";
    EXPECT_EQ(answers.Count(), 0);
}

}  // namespace
}  // namespace kelo
