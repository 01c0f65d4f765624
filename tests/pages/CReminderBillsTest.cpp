#include "src/pages/CReminderBills.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/data/FileMap.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "host/util/Dates.h"
#include "src/pages/scans/BillRewrite.h"
#include "src/pages/scans/BillScan.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/BillRecords.h"
#include "tests/pages/PageFixture.h"

namespace kelo {
namespace {

const uint16_t kToday = test::kPageToday;
using Strings = std::vector<std::string>;

class BillsPageTest : public test::PageFixture<CReminderBills> {
protected:
    Strings Rows() const { return Column(kBillColDescription); }
    uint32_t RowRecNo(int row) const
    {
        return BillColumns().ReadUInt32(page->List()->RowBytes(row), kBillColRecordNumber);
    }
    void Select(const std::string& details)
    {
        const Strings rows = Rows();
        for (size_t r = 0; r < rows.size(); ++r)
            if (rows[r] == details) page->List()->SelectRow(static_cast<int>(r));
    }
};

TEST_F(BillsPageTest, DeletingBillTwoOfFiveRenumbersTheRest)
{
    for (const char* d : {"one", "two", "three", "four", "five"})
        test::AddBill(company.Context(), {d, 10, 0, 0, 0, kToday});
    Open();
    Select("two");
    CKScriptedAnswerer answers{MsgAnswer::Yes};
    ASSERT_TRUE(page->DeleteSelected());

    EXPECT_EQ(RecCount(company.Context().File(kFileBills)), 4u);
    EXPECT_EQ(test::BillDetails(company.Context()), (Strings{"one", "three", "four", "five"}));
    // The rows follow their bills to the new numbers, and the next row is selected.
    ASSERT_EQ(Rows(), (Strings{"one", "three", "four", "five"}));
    for (int r = 0; r < 4; ++r) EXPECT_EQ(RowRecNo(r), static_cast<uint32_t>(r + 1));
    EXPECT_EQ(page->List()->GetSelectedRow(), 1);
}

TEST_F(BillsPageTest, DeleteOfABillAnotherUserMovedDeletesNothingAndRefills)
{
    for (const char* d : {"one", "two", "three"})
        test::AddBill(company.Context(), {d, 10, 0, 0, 0, kToday});
    Open();
    // Another user's delete moves the later bills down: the row of "two" says 2, where
    // "three" now is.
    DataContext other = DataContext::Open(company.Folder());
    ASSERT_TRUE(RewriteBillFileWithout(other, 1));
    Select("two");
    ASSERT_EQ(RowRecNo(page->List()->GetSelectedRow()), 2u);
    CKScriptedAnswerer answers{MsgAnswer::Yes};
    EXPECT_FALSE(page->DeleteSelected());
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text, CReminderBills::kGoneText);
    EXPECT_EQ(test::BillDetails(company.Context()), (Strings{"two", "three"}));
    EXPECT_EQ(Rows(), (Strings{"two", "three"}));
    EXPECT_EQ(RowRecNo(0), 1u);
}

}  // namespace
}  // namespace kelo
