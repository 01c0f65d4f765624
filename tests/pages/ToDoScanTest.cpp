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

namespace kelo {
namespace {

const uint16_t kToday = DateNumberFromComponents(15, 3, 2027);

struct Collect final : ScanSink {
    void AddRow(std::span<const uint8_t> row) override { rows.emplace_back(row.begin(), row.end()); }
    bool Stopped() const override { return stopAfter >= 0 && static_cast<int>(rows.size()) >= stopAfter; }
    std::vector<std::vector<uint8_t>> rows;
    int stopAfter = -1;

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& r : rows) names.push_back(ToDoColumns().ReadText(r, kToDoColName));
        return names;
    }
};

std::vector<std::string> Scan(DataContext& ctx, uint32_t category, const std::string& user,
                              uint16_t date = kToday)
{
    Collect sink;
    ScanToDo(ScanInput{ctx, category, date, user}, sink);
    return sink.Names();
}

using Names = std::vector<std::string>;

TEST(ToDoCategory, DayBoundaryAndCompletion)
{
    struct Case {
        uint16_t due;
        uint16_t completed;
        uint32_t expected;
    } cases[] = {
        {kToday, 0, kToDoCurrent},
        {static_cast<uint16_t>(kToday + 1), 0, kToDoCurrent},
        {static_cast<uint16_t>(kToday - 1), 0, kToDoOverdue},
        {static_cast<uint16_t>(kToday - 1), 1, kToDoCompletedBit},
        {static_cast<uint16_t>(kToday + 9), 1, kToDoCompletedBit},
        {kToday, 2, kToDoCompletedBit},
        {0, 0, kToDoOverdue},  // no date lies before any program date
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToDoCategoryOf(c.due, c.completed, kToday), c.expected)
            << "due " << c.due << " completed " << c.completed;
}

TEST(ToDoScan, ListsEachEntryUnderItsCategoryOnly)
{
    test::TempCompany company;
    DataContext& ctx = company.Context();
    test::AddToDo(ctx, "due today", "General Reminder", "ANNA", kToday);
    test::AddToDo(ctx, "due yesterday", "General Reminder", "ANNA", kToday - 1);
    test::AddToDo(ctx, "done long ago", "General Reminder", "ANNA", kToday - 40, true);
    test::AddToDo(ctx, "done, due later", "General Reminder", "ANNA", kToday + 5, true);

    EXPECT_EQ(Scan(ctx, kToDoCurrent, "ANNA"), Names({"due today"}));
    EXPECT_EQ(Scan(ctx, kToDoOverdue, "ANNA"), Names({"due yesterday"}));
    EXPECT_EQ(Scan(ctx, kToDoCompletedBit, "ANNA"), Names({"done long ago", "done, due later"}));
}

TEST(ToDoScan, OtherUsersAndPhoneCallRemindersNeverListed)
{
    test::TempCompany company;
    DataContext& ctx = company.Context();
    test::AddToDo(ctx, "mine", "General Reminder", "ANNA", kToday);
    test::AddToDo(ctx, "ring the bank", "Phone call reminder.", "ANNA", kToday);
    test::AddToDo(ctx, "bob's", "General Reminder", "BOB", kToday);
    test::AddToDo(ctx, "annabel's", "General Reminder", "ANNABEL", kToday);
    // Same key range as ANNA (keys are upper-cased) but not the same user.
    test::AddToDo(ctx, "lower-case anna", "General Reminder", "anna", kToday);
    // A Type that only starts like a reminder is an ordinary entry.
    test::AddToDo(ctx, "near miss", "Phone call reminder", "ANNA", kToday);

    EXPECT_EQ(Scan(ctx, kToDoCurrent, "ANNA"), Names({"mine", "near miss"}));
    EXPECT_EQ(Scan(ctx, kToDoCurrent, "anna"), Names({"lower-case anna"}));
    EXPECT_EQ(Scan(ctx, kToDoCurrent, "BOB"), Names({"bob's"}));
    EXPECT_TRUE(Scan(ctx, kToDoCurrent, "CAROL").empty());
}

TEST(ToDoScan, RowsInKeyOrderByDateDue)
{
    test::TempCompany company;
    DataContext& ctx = company.Context();
    // Written out of order, and across a year end, so record order and text order both differ
    // from date order.
    test::AddToDo(ctx, "march", "General Reminder", "ANNA", DateNumberFromComponents(1, 3, 2028));
    test::AddToDo(ctx, "december", "General Reminder", "ANNA", DateNumberFromComponents(31, 12, 2027));
    test::AddToDo(ctx, "april", "General Reminder", "ANNA", DateNumberFromComponents(2, 4, 2027));
    test::AddToDo(ctx, "today", "General Reminder", "ANNA", kToday);

    EXPECT_EQ(Scan(ctx, kToDoCurrent, "ANNA"), Names({"today", "april", "december", "march"}));
}

TEST(ToDoScan, RowCarriesTheEntryForTheEntryDialog)
{
    test::TempCompany company;
    DataContext& ctx = company.Context();
    test::AddToDo(ctx, "first", "General Reminder", "ANNA", kToday);
    const uint32_t recNo =
        test::AddToDo(ctx, "Reconcile VAT", "Reconcile VAT", "ANNA", kToday - 3, true);

    Collect sink;
    ScanToDo(ScanInput{ctx, kToDoCompletedBit, kToday, "ANNA"}, sink);
    ASSERT_EQ(sink.rows.size(), 1u);
    const CKColumnSet& cols = ToDoColumns();
    const std::vector<uint8_t>& row = sink.rows[0];
    ASSERT_EQ(cols.RowSize(), 187);
    ASSERT_EQ(row.size(), 187u);
    EXPECT_EQ(cols.ReadText(row, kToDoColName), "Reconcile VAT");
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

TEST(ToDoScan, StopsWhenTheSinkSaysSo)
{
    test::TempCompany company;
    DataContext& ctx = company.Context();
    for (int i = 0; i < 5; ++i)
        test::AddToDo(ctx, "entry " + std::to_string(i), "General Reminder", "ANNA", kToday + i);
    Collect sink;
    sink.stopAfter = 2;
    ScanToDo(ScanInput{ctx, kToDoCurrent, kToday, "ANNA"}, sink);
    EXPECT_EQ(sink.Names(), Names({"entry 0", "entry 1"}));
}

TEST(TaskScans, ToDoIsRegisteredFirst)
{
    ASSERT_FALSE(AllTaskScans().empty());
    EXPECT_EQ(AllTaskScans().front().command, 32600);
    const TaskScan* todo = FindTaskScan(32600);
    ASSERT_NE(todo, nullptr);
    EXPECT_STREQ(todo->name, "To do List");
    EXPECT_EQ(FindTaskScan(12345), nullptr);
    const std::vector<TaskCategory> cats = todo->categories("ANNA", CBAccessManager());
    ASSERT_EQ(cats.size(), 3u);
    EXPECT_STREQ(cats[0].text, "Current Tasks");
    EXPECT_STREQ(cats[1].text, "Overdue Tasks");
    EXPECT_STREQ(cats[2].text, "Completed Tasks");
    EXPECT_EQ(cats[0].bit | cats[1].bit << 4 | cats[2].bit << 8, 0x421u);
    // The Tasks menu's order, which puts Accounts Due before Account Status.
    const std::vector<int> menuOrder = {32600, 32601, 32602, 32604, 32603, 32605,
                                        32810, 32606, 32808, 32809};
    size_t at = 0;
    for (const TaskScan& s : AllTaskScans()) {
        while (at < menuOrder.size() && menuOrder[at] != s.command) ++at;
        EXPECT_LT(at, menuOrder.size()) << s.command << " out of menu order";
    }
}

}  // namespace
}  // namespace kelo
