#include "src/pages/scans/ToDoScan.h"

#include <string>
#include <vector>

#include <QStringList>

#include <gtest/gtest.h>

#include "host/framework/CBAccessManager.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/ToDoRecords.h"
#include "tests/pages/scans/RecordingSink.h"

namespace kelo {
namespace {

const uint16_t kToday = DateNumberFromComponents(15, 3, 2027);

std::vector<std::string> Scan(DataContext& ctx, uint32_t category, const std::string& user,
                              test::RecordingSink* given = nullptr)
{
    test::RecordingSink local;
    test::RecordingSink& sink = given ? *given : local;
    ScanToDo(ScanInput{ctx, category, kToday, user}, sink);
    std::vector<std::string> names;
    for (const auto& r : sink.rows) names.push_back(ToDoColumns().ReadText(r, kToDoColName));
    return names;
}

using Names = std::vector<std::string>;

TEST(ToDoCategory, DayBoundaryAndCompletion)
{
    struct Case {
        int due;  // days from the program date
        uint16_t completed;
        uint32_t expected;
    } cases[] = {
        {0, 0, kToDoCurrent},        {1, 0, kToDoCurrent},       {-1, 0, kToDoOverdue},
        {-1, 1, kToDoCompletedBit},  {9, 1, kToDoCompletedBit},  {0, 2, kToDoCompletedBit},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToDoCategoryOf(uint16_t(kToday + c.due), c.completed, kToday), c.expected)
            << "due " << c.due << " completed " << c.completed;
    EXPECT_EQ(ToDoCategoryOf(0, 0, kToday), kToDoOverdue) << "no date lies before any program date";
}

class ToDoScanTest : public ::testing::Test {
protected:
    uint32_t Add(const std::string& name, const std::string& user, int due, bool done = false,
                 const std::string& type = "General Reminder")
    {
        return test::AddToDo(ctx, name, type, user, uint16_t(kToday + due), done);
    }

    test::TempCompany company;
    DataContext& ctx = company.Context();
};

TEST_F(ToDoScanTest, TheUsersOwnEntriesUnderTheirCategoryInDateOrder)
{
    Add("in a year", "ANNA", 365);
    Add("today", "ANNA", 0);
    Add("tomorrow", "ANNA", 1);
    Add("due yesterday", "ANNA", -1);
    Add("done, due later", "ANNA", 5, true);
    Add("ring the bank", "ANNA", 0, false, "Phone call reminder.");
    // A Type that only starts like a reminder is an ordinary entry.
    Add("near miss", "ANNA", 2, false, "Phone call reminder");
    Add("bob's", "BOB", 0);
    Add("annabel's", "ANNABEL", 0);
    // Same key range as ANNA (keys are upper-cased) but not the same user.
    Add("lower-case anna", "anna", 0);

    EXPECT_EQ(Scan(ctx, kToDoCurrent, "ANNA"), Names({"today", "tomorrow", "near miss", "in a year"}));
    EXPECT_EQ(Scan(ctx, kToDoOverdue, "ANNA"), Names({"due yesterday"}));
    EXPECT_EQ(Scan(ctx, kToDoCompletedBit, "ANNA"), Names({"done, due later"}));
    EXPECT_EQ(Scan(ctx, kToDoCurrent, "anna"), Names({"lower-case anna"}));
    EXPECT_EQ(Scan(ctx, kToDoCurrent, "BOB"), Names({"bob's"}));
    EXPECT_TRUE(Scan(ctx, kToDoCurrent, "CAROL").empty());

    struct StopAfterTwo : test::RecordingSink {
        bool Stopped() const override { return rows.size() >= 2; }
    } two;
    EXPECT_EQ(Scan(ctx, kToDoCurrent, "ANNA", &two), Names({"today", "tomorrow"}));
}

TEST_F(ToDoScanTest, RowCarriesTheEntryForTheEntryDialog)
{
    const uint32_t recNo = Add("Reconcile VAT", "ANNA", -3, true, "Reconcile VAT");
    test::RecordingSink sink;
    ScanToDo(ScanInput{ctx, kToDoCompletedBit, kToday, "ANNA"}, sink);
    ASSERT_EQ(sink.rows.size(), 1u);
    const CKColumnSet& cols = ToDoColumns();
    const std::vector<uint8_t>& row = sink.rows[0];
    ASSERT_EQ(row.size(), 187u);
    EXPECT_EQ(cols.ReadText(row, kToDoColDateDue), "12/03/2027");
    EXPECT_EQ(cols.ReadText(row, kToDoColType), "Reconcile VAT");
    EXPECT_EQ(cols.ReadText(row, kToDoColCompleted), "Yes");
    EXPECT_EQ(cols.ReadText(row, kToDoColDelegateTo), std::string("ANNA") + std::string(28, ' '));
    EXPECT_EQ(cols.ReadUInt32(row, kToDoColReserved), 77u);
    EXPECT_EQ(cols.ReadUInt32(row, kToDoColRecordNumber), recNo);
    EXPECT_EQ(cols.ReadUInt32(row, kToDoColCategory), kToDoCompletedBit);
    EXPECT_EQ(cols.ReadUInt32(row, kToDoColNotesBlock), 0xFFFFFFFFu);
    const QStringList titles{cols.Column(0).title, cols.Column(1).title, cols.Column(2).title};
    EXPECT_EQ(titles, QStringList({"Name", "Date Due", "Type"}));
    for (int c = 3; c < cols.Count(); ++c) EXPECT_TRUE(cols.Column(c).hidden) << c;
}

// Every page's categories in tree order with their values, as the supervisor sees them.
TEST(TaskScans, RegisteredInMenuOrderWithTheirCategories)
{
    const std::pair<int, const char*> pages[] = {
        {32600, "To do List: Current Tasks 1, Overdue Tasks 2, Completed Tasks 4"},
        {32601, "Contacts: Overdue Contacts 2, Today's Contacts 1, Future Contacts 8, "
                "Completed Contacts 4"},
        {32602, "Bills: Current Bills 1, Overdue Bills 2, Paid Bills 4"},
        {32604, "Accounts Due: Sales Overdue 1, Sales Due 2, Sales Within Settlement 4, "
                "Purchases Overdue 8, Purchases Due 16, Purchases Within Settlement 32"},
        {32603, "Account Status: Sales Over Credit Limit 1, Sales On Hold 2, Sales Inactive 4, "
                "Sales Credit Chargeable 8, Sales Beyond Credit Review 16, Purchase Over Credit "
                "Limit 32, Purchase On Hold 64, Purchase Inactive 128, Purchase Beyond Credit "
                "Review 256"},
        {32605, "Recurring Items: Payments 2, Receipts 1, Debits 4, Credits 8, Bank Transfers 16, "
                "Customer SAs 32, Supplier PAs 64"},
        {32810, "Stock: Out of Stock 1, Below Reorder 2, On Order 4, Allocated 8"},
        {32606, "Invoices: Inv to Print 1, Inv to Post 2, Crd to Print 4, Crd to Post 8"},
        {32808, "Sales Orders: To Allocate 1, Allocated, to Despatch 2, Held 4, Cancelled 8, "
                "Completed 16"},
        {32809, "Purchase Orders: To Order 1, To Deliver 2, Cancelled 8, Completed 16"},
    };
    // The Tasks menu's order, which puts Accounts Due before Account Status.
    ASSERT_EQ(AllTaskScans().size(), std::size(pages));
    for (size_t i = 0; i < std::size(pages); ++i) {
        const TaskScan& scan = AllTaskScans()[i];
        EXPECT_EQ(scan.command, pages[i].first);
        std::string listed = std::string(scan.name) + ":";
        for (const TaskCategory& c : scan.categories("OVERSEE", CBAccessManager()))
            listed += (listed.back() == ':' ? " " : ", ") + std::string(c.text) + " " +
                      std::to_string(c.bit);
        EXPECT_EQ(listed, pages[i].second);
    }
    EXPECT_EQ(FindTaskScan(12345), nullptr);
}

}  // namespace
}  // namespace kelo
