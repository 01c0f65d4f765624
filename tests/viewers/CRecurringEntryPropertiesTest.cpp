// The Recurring Entry Properties viewer on the Recurring Items page: the finish date's message
// each time it is shown, and the Suspend box the user cannot change (the fields are the entry's
// details, checked with their rules and end to end).

#include "src/viewers/CRecurringEntryProperties.h"

#include <QCheckBox>
#include <QLabel>

#include "tests/pages/PageFixture.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "src/pages/CReminderRecurring.h"
#include "src/pages/scans/RecurringScan.h"
#include "tests/pages/scans/RecurringBuilder.h"

namespace kelo {
namespace {

using Step = RowStepper::Step;

class RecurringViewerTest : public test::PageFixture<CReminderRecurring> {
protected:
    // The page on the category of `bit`, its row `row` selected, and the viewer on that row.
    std::unique_ptr<CRecurringEntryProperties> View(uint32_t bit, int row = 0)
    {
        if (!page) Open();
        for (int item = 0; item < tree.ItemCount(); ++item)
            if (tree.GetItemValue(item) == bit) ChooseCategory(item);
        EXPECT_GT(page->List()->RowCount(), row);
        page->List()->SelectRow(row);
        auto v = std::make_unique<CRecurringEntryProperties>(
            page, company.Context(), RecurringRowRecord(page->List()->RowBytes(row)), services);
        v->Create(nullptr);
        return v;
    }
    static QString F(const CRecurringEntryProperties& v, const char* name)
    {
        return v.Field(name)->text();
    }

    test::RecurringBuilder rec{company.Context()};
};

TEST_F(RecurringViewerTest, InfiniteFinishIsReportedOnceEachTimeItIsShown)
{
    rec.Add({.kind = 4, .interval = 6, .unit = 2, .start = DateStringToNumber("05/06/2079"),
             .total = 32767});
    rec.Add({.kind = 4, .interval = 1, .unit = 1, .start = DateStringToNumber("01/03/2027"),
             .total = 3});
    CKScriptedAnswerer answers;
    auto v = View(kRecurringDebits);
    EXPECT_EQ(F(*v, "finish"), "Infinite");
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text,
              "The projected finish date for this recurring entry is too far into the future "
              "(i.e. beyond 31/12/9999),\nand cannot be displayed.");
    EXPECT_EQ(answers.Messages()[0].kind, MsgKind::Exclamation);
    v->StepTo(Step::Next);
    EXPECT_EQ(F(*v, "finish"), "15/03/2027");
    EXPECT_EQ(answers.Count(), 1);
    v->StepTo(Step::First);
    EXPECT_EQ(answers.Count(), 2);
}

TEST_F(RecurringViewerTest, SuspendPostingCannotBeChanged)
{
    rec.Add({.kind = 0, .suspended = 1});
    rec.Add({.kind = 0, .suspended = 0});
    auto v = View(kRecurringPayments);
    EXPECT_TRUE(v->Suspend()->isChecked());
    v->Suspend()->click();
    EXPECT_TRUE(v->Suspend()->isChecked());
    v->StepTo(Step::Next);
    EXPECT_FALSE(v->Suspend()->isChecked());
    v->Suspend()->click();
    EXPECT_FALSE(v->Suspend()->isChecked());
}

}  // namespace
}  // namespace kelo
