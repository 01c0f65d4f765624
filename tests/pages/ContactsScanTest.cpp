#include "src/pages/scans/ContactsScan.h"

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
#include "src/pages/scans/ToDoScan.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/ToDoRecords.h"
#include "tests/pages/scans/LedgerBuilder.h"

namespace kelo {
namespace {

const uint16_t kToday = DateNumberFromComponents(15, 3, 2027);
using Rows = std::vector<std::vector<std::string>>;

struct Collect final : ScanSink {
    void AddRow(std::span<const uint8_t> row) override
    {
        const CKColumnSet& cols = ContactsColumns();
        std::vector<std::string> shown;
        for (int c : {kContactsColAccount, kContactsColName, kContactsColDescription,
                      kContactsColDateDue, kContactsColTelephone})
            shown.push_back(cols.ReadText(row, c));
        rows.push_back(shown);
    }
    Rows rows;
};

class ContactsScanTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::LedgerBuilder ledgers(company.Context());
        ledgers.AddAccount(kLedgerSales, {.code = "ASH001", .name = "Ashdown Garden Centre",
                                          .contact = "Mary Ash", .telephone = "01632 960001"});
        ledgers.AddAccount(kLedgerPurchases, {.code = "KIN001", .name = "Kingsley Paper",
                                              .contact = "Tom King", .telephone = "01632 960002"});
    }
    uint32_t Remind(const std::string& user, int ledger, const std::string& code, int days,
                    const std::string& note)
    {
        return AddPhoneCallReminder(company.Context(), user, ledger, code, uint16_t(kToday + days),
                                    note);
    }
    Rows Scan(uint32_t category, const std::string& user = "ANNA")
    {
        Collect sink;
        ScanContacts(ScanInput{company.Context(), category, kToday, user}, sink);
        return sink.rows;
    }

    test::TempCompany company;
};

TEST(ContactsCategory, AroundTheProgramDate)
{
    struct Case {
        int days;
        uint16_t completed;
        uint32_t expected;
    } cases[] = {
        {-1, 0, kContactsOverdue}, {0, 0, kContactsToday},     {1, 0, kContactsFuture},
        {-1, 1, kContactsCompleted}, {0, 1, kContactsCompleted}, {1, 1, kContactsCompleted},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ContactsCategoryOf(uint16_t(kToday + c.days), c.completed, kToday), c.expected)
            << c.days << " days, completed " << c.completed;
}

TEST_F(ContactsScanTest, EachReminderInItsCategoryWithItsAccount)
{
    Remind("ANNA", kLedgerSales, "ASH001", -1, "Chase invoice");
    Remind("ANNA", kLedgerPurchases, "KIN001", 0, "Confirm delivery");
    Remind("ANNA", kLedgerSales, "ASH001", 1, "Follow up quotation");
    const uint32_t done = Remind("ANNA", kLedgerSales, "GONE01", -5, "Final payment");
    std::vector<uint8_t> rec(kToDoLength);
    ReadRec(company.Context().File(kFileToDo), done, rec.data());
    SetU16(rec.data(), kToDoCompleted, 1);
    WriteRec(company.Context().File(kFileToDo), done, rec.data());

    EXPECT_EQ(ContactsColumns().RowSize(), 292);
    const std::string yesterday = DateNumberToFullString(kToday - 1);
    EXPECT_EQ(Scan(kContactsOverdue),
              Rows({{"ASH001", "Ashdown Garden Centre", "Chase invoice", yesterday,
                     "01632 960001"}}));
    EXPECT_EQ(Scan(kContactsToday),
              Rows({{"KIN001", "Kingsley Paper", "Confirm delivery",
                     DateNumberToFullString(kToday), "01632 960002"}}));
    EXPECT_EQ(Scan(kContactsFuture).size(), 1u);
    // An account no longer in the ledger: the stored code, and no telephone.
    EXPECT_EQ(Scan(kContactsCompleted),
              Rows({{"GONE01", kDeletedAccountName, "Final payment",
                     DateNumberToFullString(kToday - 5), ""}}));
}

TEST_F(ContactsScanTest, ToDoEntriesAndOtherUsersRemindersAreLeftOut)
{
    // The reminder Type with ledger type 0 is a To Do entry, not a reminder.
    test::AddToDo(company.Context(), "Looks like one", kPhoneCallReminderType, "ANNA", kToday);
    test::AddToDo(company.Context(), "General", "General Reminder", "ANNA", kToday);
    // Keys of other users before and after ANNA's: the walk passes over them to the end.
    Remind("AARON", kLedgerSales, "ASH001", 0, "Aaron's call");
    Remind("ZOE", kLedgerSales, "ASH001", 0, "Zoe's call");
    Remind("BOB", kLedgerSales, "ASH001", 0, "Bob's call");
    Remind("anna", kLedgerSales, "ASH001", 0, "Lower-case owner");
    Remind("ANNA", kLedgerSales, "ASH001", 0, "Anna's call");

    std::vector<std::string> notes;
    for (const auto& row : Scan(kContactsToday)) notes.push_back(row[2]);
    // Delegate To is matched ignoring case, as the key range is shared.
    EXPECT_EQ(notes, (std::vector<std::string>{"Lower-case owner", "Anna's call"}));
    EXPECT_EQ(Scan(kContactsToday, "ZOE").size(), 1u);
}

}  // namespace
}  // namespace kelo
