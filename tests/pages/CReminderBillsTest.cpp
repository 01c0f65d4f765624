#include "src/pages/CReminderBills.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <QMenu>

#include <gtest/gtest.h>

#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/file/FileEnvironment.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKMessageBox.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "host/util/Dates.h"
#include "src/app/StringTable.h"
#include "src/pages/scans/BillRewrite.h"
#include "src/pages/scans/BillScan.h"
#include "src/records/CRecordWrite.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/BillRecords.h"
#include "tests/pages/PageFixture.h"

namespace kelo {
namespace {

const uint16_t kToday = test::kPageToday;
using Strings = std::vector<std::string>;

class BillsPageTest : public test::PageFixture<CReminderBills> {
protected:
    CReminderBills* Open(int category = 0)
    {
        PageFixture::Open();
        if (category != 0) ChooseCategory(category);
        return page;
    }
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
    static QString Text(int id) { return QString::fromLatin1(StringTable::Load(id).c_str()); }
};

TEST_F(BillsPageTest, CategoriesByOutstandingThenDueDate)
{
    const struct {
        const char* details;
        double net, tax, netPaid, taxPaid;
        int dueOffset;
        uint32_t category;
        double shown;
    } cases[] = {
        {"due today", 100, 20, 0, 0, 0, kBillCurrent, 120.00},
        {"due tomorrow", 50, 0, 0, 0, 1, kBillCurrent, 50.00},
        {"due yesterday", 100, 20, 0, 0, -1, kBillOverdue, 120.00},
        {"part paid, overdue", 100, 20, 60, 12, -30, kBillOverdue, 48.00},
        {"fully paid, long overdue", 100, 20, 100, 20, -300, kBillPaid, 0.00},
        {"0.004 outstanding", 10.004, 0, 10, 0, -5, kBillPaid, 0.00},
        {"0.005 outstanding", 10.005, 0, 10, 0, 0, kBillCurrent, 0.01},
        {"overpaid", 10, 0, 12, 0, 0, kBillPaid, -2.00},
    };
    for (const auto& c : cases)
        test::AddBill(company.Context(), {c.details, c.net, c.tax, c.netPaid, c.taxPaid,
                                          static_cast<uint16_t>(kToday + c.dueOffset)});
    Open();
    ASSERT_EQ(tree.ItemCount(), 3);
    EXPECT_EQ(tree.GetItemText(0), "Current Bills");
    EXPECT_EQ(tree.GetItemText(1), "Overdue Bills");
    EXPECT_EQ(tree.GetItemText(2), "Paid Bills");

    for (int item = 0; item < 3; ++item) {
        ChooseCategory(item);
        Strings expected;
        std::vector<double> amounts;
        for (const auto& c : cases)
            if (c.category == tree.GetItemValue(item)) {
                expected.push_back(c.details);
                amounts.push_back(c.shown);
            }
        // Record order, the order of entry.
        EXPECT_EQ(Rows(), expected) << item;
        for (int r = 0; r < page->List()->RowCount(); ++r)
            EXPECT_DOUBLE_EQ(BillColumns().ReadAmount(page->List()->RowBytes(r), kBillColOutstanding),
                             amounts[static_cast<size_t>(r)]);
    }
    EXPECT_EQ(BillColumns().RowSize(), 99);
}

TEST_F(BillsPageTest, CommandStatesFollowTheRows)
{
    Open();
    auto enabled = [&](int id) {
        std::unique_ptr<QMenu> menu(CReminderPage::LoadContextMenu(112));
        menu->addAction(QStringLiteral("Clear Bill Entries"))->setData(kCommandClearBills);
        page->UpdateCommandMenu(menu.get());
        return CReminderPage::FindCommand(menu.get(), id)->isEnabled();
    };
    EXPECT_TRUE(enabled(kCommandNew));
    EXPECT_FALSE(enabled(kCommandOpen));
    EXPECT_FALSE(enabled(kCommandDelete));
    EXPECT_FALSE(enabled(kCommandPay));
    EXPECT_TRUE(enabled(kCommandClearBills));
    test::AddBill(company.Context(), {"rent", 500, 0, 0, 0, kToday});
    page->Refresh();
    EXPECT_TRUE(enabled(kCommandOpen));
    EXPECT_TRUE(enabled(kCommandDelete));
    EXPECT_TRUE(enabled(kCommandPay));
}

TEST_F(BillsPageTest, DeleteRefusesPartPaidAndTakesUnpaidOrFullyPaid)
{
    test::AddBill(company.Context(), {"unpaid", 100, 20, 0, 0, static_cast<uint16_t>(kToday - 3)});
    test::AddBill(company.Context(), {"part paid", 100, 20, 50, 10, static_cast<uint16_t>(kToday - 3)});
    test::AddBill(company.Context(), {"fully paid", 100, 20, 100, 20, static_cast<uint16_t>(kToday - 3)});
    test::AddBill(company.Context(), {"tax only paid", 100, 20, 0, 20, static_cast<uint16_t>(kToday - 3)});
    const struct {
        const char* details;
        int category;
        bool deleted;
        int message;
    } cases[] = {
        {"part paid", 1, false, CReminderBills::kPartPaid},
        {"tax only paid", 1, false, CReminderBills::kPartPaid},
        {"unpaid", 1, true, CReminderBills::kDeleteQuestion},
        {"fully paid", 2, true, CReminderBills::kDeleteQuestion},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.details);
        Open(c.category);
        Select(c.details);
        CKScriptedAnswerer answers{MsgAnswer::Yes};
        EXPECT_EQ(page->DeleteSelected(), c.deleted);
        ASSERT_EQ(answers.Count(), 1);
        EXPECT_EQ(answers.Messages()[0].text.trimmed(), Text(c.message));
        const Strings left = test::BillDetails(company.Context());
        EXPECT_EQ(std::count(left.begin(), left.end(), c.details), c.deleted ? 0 : 1);
        const Strings rows = Rows();
        EXPECT_EQ(std::count(rows.begin(), rows.end(), c.details), c.deleted ? 0 : 1);
        page->DestroyWindow();
        Drain();
        page = nullptr;
    }
}

TEST_F(BillsPageTest, DeleteWithoutARowOrAnsweredNoChangesNothing)
{
    test::AddBill(company.Context(), {"rent", 500, 0, 0, 0, kToday});
    Open();
    page->List()->SelectRow(-1);
    {
        CKScriptedAnswerer answers;
        EXPECT_FALSE(page->DeleteSelected());
        ASSERT_EQ(answers.Count(), 1);
        EXPECT_EQ(answers.Messages()[0].text.trimmed(), Text(CReminderBills::kNothingToDelete));
        EXPECT_EQ(answers.Messages()[0].kind, MsgKind::Stop);
    }
    page->List()->SelectRow(0);
    CKScriptedAnswerer answers{MsgAnswer::No};
    EXPECT_FALSE(page->DeleteSelected());
    EXPECT_EQ(answers.Messages()[0].kind, MsgKind::YesNo);
    EXPECT_EQ(test::BillDetails(company.Context()), Strings{"rent"});
    EXPECT_EQ(Rows(), Strings{"rent"});
}

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
    // The rewrite's file is gone: the bill file is the only bills file in the company.
    FileEnvironment& env = company.Context().Environment();
    const Strings files = env.With(false, [&](store::Txn& t) { return env.Paths(t); });
    const std::string rewrite = BillRewritePath(GetPathName(company.Context().File(kFileBills)));
    EXPECT_EQ(std::count(files.begin(), files.end(), rewrite), 0);

    // Deleting the last row selects the new last row.
    Select("five");
    answers.Push(MsgAnswer::Yes);
    ASSERT_TRUE(page->DeleteSelected());
    EXPECT_EQ(Rows(), (Strings{"one", "three", "four"}));
    EXPECT_EQ(page->List()->GetSelectedRow(), 2);
}

TEST_F(BillsPageTest, DeleteOfABillAnotherUserChangedOrMovedAsksOrRefreshes)
{
    test::AddBill(company.Context(), {"one", 10, 0, 0, 0, kToday});
    test::AddBill(company.Context(), {"two", 20, 0, 0, 0, kToday});
    test::AddBill(company.Context(), {"three", 30, 0, 0, 0, kToday});
    Open();
    DataContext other = DataContext::Open(company.Folder());
    const auto theyChange = [&](uint32_t recNo, double net) {
        std::vector<uint8_t> rec = test::ReadStoredBill(other, recNo);
        SetF64(rec.data(), kBillNetAmount, net);
        WriteRec(other.File(kFileBills), recNo, rec.data());
    };

    // Changed while the question was open: asked again; No refreshes and deletes nothing.
    Select("two");
    QStringList shown;
    double theirNet = 25;
    std::vector<MsgAnswer> answers{MsgAnswer::Yes, MsgAnswer::No};
    const auto previous = CKMessageBox::SetAnswerer(
        [&](QWidget*, const QString& text, int, const QString&, int) {
            if (shown.isEmpty()) theyChange(2, theirNet++);
            shown << text;
            return answers[static_cast<size_t>(shown.size() - 1)];
        });
    EXPECT_FALSE(page->DeleteSelected());
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[1].trimmed(), Text(CRecordWrite::kChangedOnDelete));
    EXPECT_EQ(test::BillDetails(company.Context()).size(), 3u);

    // Answered Yes the second time, the bill goes as it now is.
    shown.clear();
    answers = {MsgAnswer::Yes, MsgAnswer::Yes};
    Select("two");
    EXPECT_TRUE(page->DeleteSelected());
    EXPECT_EQ(shown.size(), 2);
    EXPECT_EQ(test::BillDetails(company.Context()), (Strings{"one", "three"}));
    CKMessageBox::SetAnswerer(previous);

    // Another user's delete moves the later bills down: the row of "three" says 2, where
    // "four" now is. Nothing is deleted and the list is filled again.
    test::AddBill(other, {"four", 40, 0, 0, 0, kToday});
    page->Refresh();
    ASSERT_TRUE(RewriteBillFileWithout(other, 1));
    Select("three");
    ASSERT_EQ(RowRecNo(page->List()->GetSelectedRow()), 2u);
    CKScriptedAnswerer scripted{MsgAnswer::Yes};
    EXPECT_FALSE(page->DeleteSelected());
    ASSERT_EQ(scripted.Count(), 1);
    EXPECT_EQ(scripted.Messages()[0].text, CReminderBills::kGoneText);
    EXPECT_EQ(test::BillDetails(company.Context()), (Strings{"three", "four"}));
    EXPECT_EQ(Rows(), (Strings{"three", "four"}));
    EXPECT_EQ(RowRecNo(0), 1u);
}

TEST_F(BillsPageTest, PayRefusesAFullyPaidRowAndOtherwiseAsksNothingYet)
{
    test::AddBill(company.Context(), {"paid", 100, 20, 100, 20, kToday});
    test::AddBill(company.Context(), {"open", 100, 20, 0, 0, kToday});
    Open(2);
    CKScriptedAnswerer answers;
    ASSERT_TRUE(page->SendCommand(kCommandPay));
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text.trimmed(), Text(CReminderBills::kFullyPaid));
    EXPECT_EQ(answers.Messages()[0].kind, MsgKind::Stop);

    page->DestroyWindow();
    Drain();
    Open(0);
    answers.Clear();
    page->SendCommand(kCommandPay);
    EXPECT_EQ(answers.Count(), 0);
    page->List()->SelectRow(-1);
    page->SendCommand(kCommandPay);
    EXPECT_EQ(answers.Count(), 0);
}

TEST_F(BillsPageTest, ListFollowsASavedBillByItsRecordNumber)
{
    test::AddBill(company.Context(), {"one", 10, 0, 0, 0, kToday});
    test::AddBill(company.Context(), {"two", 20, 0, 0, 0, kToday});
    Open();
    page->List()->SelectRow(0);  // the selection is not what the update goes by

    std::vector<uint8_t> rec = test::ReadStoredBill(company.Context(), 2);
    SetText(rec.data(), kBillDetails, "two, renamed");
    page->UpdateAfterSave(rec, 2, true);
    EXPECT_EQ(Rows(), (Strings{"one", "two, renamed"}));

    SetU16(rec.data(), kBillDueDate, static_cast<uint16_t>(kToday - 1));  // now overdue: leaves Current Bills
    page->UpdateAfterSave(rec, 2, true);
    EXPECT_EQ(Rows(), Strings{"one"});

    std::vector<uint8_t> fresh = test::ReadStoredBill(company.Context(), 1);
    SetText(fresh.data(), kBillDetails, "three");
    page->UpdateAfterSave(fresh, 3, false);
    EXPECT_EQ(Rows(), (Strings{"one", "three"}));
    EXPECT_EQ(RowRecNo(1), 3u);
}

}  // namespace
}  // namespace kelo
