// The scans of the reminder pages: To Do entries and phone call reminders by user, category
// and date; bills by outstanding amount and due date, with the part-paid rule and what makes two
// records the same bill; and the registry that lists every page with its categories.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/data/FileMap.h"
#include "host/data/ToDoRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/CBAccessManager.h"
#include "host/framework/PhoneCallReminders.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "src/pages/scans/BillScan.h"
#include "src/pages/scans/ContactsScan.h"
#include "src/pages/scans/ToDoScan.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/BillRecords.h"
#include "tests/pages/ToDoRecords.h"
#include "tests/pages/scans/LedgerBuilder.h"
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
    Add("no date lies before any program date", "ANNA", -int(kToday));
    Add("done, due later", "ANNA", 5, true);
    Add("ring the bank", "ANNA", 0, false, "Phone call reminder.");
    // A Type that only starts like a reminder is an ordinary entry.
    Add("near miss", "ANNA", 2, false, "Phone call reminder");
    Add("bob's", "BOB", 0);
    Add("annabel's", "ANNABEL", 0);
    // Same key range as ANNA (keys are upper-cased) but not the same user.
    Add("lower-case anna", "anna", 0);

    EXPECT_EQ(Scan(ctx, kToDoCurrent, "ANNA"), Names({"today", "tomorrow", "near miss", "in a year"}));
    EXPECT_EQ(Scan(ctx, kToDoOverdue, "ANNA"),
              Names({"no date lies before any program date", "due yesterday"}));
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
    EXPECT_EQ(cols.ReadUInt32(row, kToDoColRecordNumber), recNo);
    EXPECT_EQ(cols.ReadUInt32(row, kToDoColCategory), kToDoCompletedBit);
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

// A reminder's row as the list shows it: account, name, note, date due, telephone.
std::vector<std::vector<std::string>> Contacts(DataContext& ctx, uint32_t category)
{
    test::RecordingSink sink;
    ScanContacts(ScanInput{ctx, category, kToday, "ANNA"}, sink);
    std::vector<std::vector<std::string>> rows;
    for (const auto& row : sink.rows) {
        rows.emplace_back();
        for (int c : {kContactsColAccount, kContactsColName, kContactsColDescription,
                      kContactsColDateDue, kContactsColTelephone})
            rows.back().push_back(ContactsColumns().ReadText(row, c));
    }
    return rows;
}

TEST(ContactsScan, EachReminderOfTheUserInItsCategoryWithItsAccount)
{
    test::TempCompany company;
    DataContext& ctx = company.Context();
    test::LedgerBuilder ledgers(ctx);
    ledgers.AddAccount(kLedgerSales, {.code = "ASH001", .name = "Ashdown Ltd", .telephone = "1"});
    ledgers.AddAccount(kLedgerPurchases, {.code = "KIN001", .name = "Kingsley", .telephone = "2"});
    const auto remind = [&](const char* user, const char* code, int days, const char* note) {
        return AddPhoneCallReminder(ctx, user, kLedgerSales, code, uint16_t(kToday + days), note);
    };
    remind("ANNA", "ASH001", -1, "Chase invoice");
    AddPhoneCallReminder(ctx, "ANNA", kLedgerPurchases, "KIN001", kToday, "Confirm delivery");
    remind("ANNA", "ASH001", 1, "Follow up quotation");
    const uint32_t done = remind("ANNA", "GONE01", -5, "Final payment");
    std::vector<uint8_t> rec(kToDoLength);
    ReadRec(ctx.File(kFileToDo), done, rec.data());
    SetU16(rec.data(), kToDoCompleted, 1);
    WriteRec(ctx.File(kFileToDo), done, rec.data());
    // Other users' reminders, and a To Do entry of the reminder's Type, are left out.
    remind("BOB", "ASH001", 0, "Bob's call");
    test::AddToDo(ctx, "Looks like one", kPhoneCallReminderType, "ANNA", kToday);

    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(ContactsColumns().RowSize(), 292);
    EXPECT_EQ(Contacts(ctx, kContactsOverdue),
              Rows({{"ASH001", "Ashdown Ltd", "Chase invoice", DateNumberToFullString(kToday - 1),
                     "1"}}));
    EXPECT_EQ(Contacts(ctx, kContactsToday),
              Rows({{"KIN001", "Kingsley", "Confirm delivery", DateNumberToFullString(kToday), "2"}}));
    EXPECT_EQ(Contacts(ctx, kContactsFuture).size(), 1u);
    // An account no longer in the ledger: the stored code, and no telephone.
    EXPECT_EQ(Contacts(ctx, kContactsCompleted),
              Rows({{"GONE01", kDeletedAccountName, "Final payment",
                     DateNumberToFullString(kToday - 5), ""}}));
}

TEST(BillScan, CategoriesByOutstandingThenDueDateInRecordOrder)
{
    const struct {
        const char* details;
        double net, tax, netPaid, taxPaid;
        int dueOffset;
        uint32_t category;
        double shown;
        bool partPaid;
    } cases[] = {
        {"due today", 100, 20, 0, 0, 0, kBillCurrent, 120.00, false},
        {"due tomorrow", 50, 0, 0, 0, 1, kBillCurrent, 50.00, false},
        {"due yesterday", 100, 20, 0, 0, -1, kBillOverdue, 120.00, false},
        {"part paid, overdue", 100, 20, 60, 12, -30, kBillOverdue, 48.00, true},
        {"tax only paid", 100, 20, 0, 20, -3, kBillOverdue, 100.00, true},
        {"fully paid, long overdue", 100, 20, 100, 20, -300, kBillPaid, 0.00, false},
        {"0.004 outstanding", 10.004, 0, 10, 0, -5, kBillPaid, 0.00, false},
        {"0.005 outstanding", 10.005, 0, 10, 0, 0, kBillCurrent, 0.01, true},
        {"overpaid", 10, 0, 12, 0, 0, kBillPaid, -2.00, false},
    };
    test::TempCompany company;
    for (const auto& c : cases) {
        const uint32_t recNo =
            test::AddBill(company.Context(), {c.details, c.net, c.tax, c.netPaid, c.taxPaid,
                                              uint16_t(kToday + c.dueOffset), uint16_t(kToday - 400)});
        EXPECT_EQ(IsPartPaidBill(test::ReadStoredBill(company.Context(), recNo).data()), c.partPaid)
            << c.details;
    }
    // Record order, the order of entry; each category lists only its own, with both dates.
    const CKColumnSet& cols = BillColumns();
    for (uint32_t category : {kBillCurrent, kBillOverdue, kBillPaid}) {
        test::RecordingSink sink;
        ScanBills(ScanInput{company.Context(), category, kToday, "ANNA"}, sink);
        size_t row = 0;
        for (size_t i = 0; i < std::size(cases); ++i) {
            const auto& c = cases[i];
            if (c.category != category) continue;
            ASSERT_LT(row, sink.rows.size()) << c.details;
            const std::vector<uint8_t>& r = sink.rows[row++];
            ASSERT_EQ(r.size(), 99u);
            EXPECT_EQ(cols.ReadText(r, kBillColDescription), c.details);
            EXPECT_EQ(cols.ReadAmount(r, kBillColOutstanding), c.shown);
            EXPECT_EQ(cols.ReadText(r, kBillColDate), DateNumberToFullString(kToday - 400));
            EXPECT_EQ(cols.ReadText(r, kBillColDateDue), DateNumberToFullString(kToday + c.dueOffset));
            EXPECT_EQ(cols.ReadUInt32(r, kBillColRecordNumber), i + 1);
            EXPECT_EQ(cols.ReadUInt32(r, kBillColCategory), category);
        }
        EXPECT_EQ(row, sink.rows.size()) << category;
    }
}

}  // namespace
}  // namespace kelo
