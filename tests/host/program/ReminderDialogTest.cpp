// kelo-host's Accounts → New Phone Call Reminder: the accounts of the chosen ledger, the checks,
// and the reminder it files for the user, which the open Task Manager hears of.
#include "host/program/ReminderDialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>

#include <gtest/gtest.h>

#include "host/data/FileMap.h"
#include "host/data/ToDoRecord.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKDataChange.h"
#include "host/ui/CKDateEdit.h"
#include "host/ui/CKDialog.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "host/util/Dates.h"
#include "host/util/ProgramDate.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/scans/LedgerBuilder.h"

namespace kelo::host {
namespace {

class Listener final : public CKDialog {
public:
    bool OnCommand(int id) override
    {
        if (id == kCommandDataChanged) ++notices;
        return true;
    }
    int notices = 0;
};

TEST(ReminderDialog, ListsTheLedgersAccountsChecksAndFilesTheReminder)
{
    test::TempCompany company;
    test::LedgerBuilder ledger(company.Context());
    ledger.AddAccount(kLedgerSales, {.code = "ASH001", .name = "Ashford Accountancy"});
    ledger.AddAccount(kLedgerSales, {.code = "BEL001", .name = "Belmont Supplies"});
    ledger.AddAccount(kLedgerPurchases, {.code = "KIN001", .name = "Kingsley Filing"});
    const uint16_t today = DateNumberFromComponents(6, 12, 2026);
    SetProgramDate(today);
    Listener listener;
    RegisterWindowForUpdates(&listener, company.Context());

    ReminderDialog dialog(company.Context(), "ANNE");
    ASSERT_EQ(dialog.Account()->count(), 2);
    EXPECT_EQ(dialog.Account()->itemText(1), "BEL001  Belmont Supplies");
    EXPECT_EQ(dialog.DateDue()->GetDate(), today);
    dialog.Ledger()->setCurrentIndex(1);
    ASSERT_EQ(dialog.Account()->count(), 1);
    EXPECT_EQ(dialog.Account()->currentData().toString(), "KIN001");

    CKScriptedAnswerer answers;
    dialog.DateDue()->setText("");
    dialog.accept();
    EXPECT_EQ(answers.Count(), 1) << "no date: told, nothing filed";
    EXPECT_EQ(dialog.RecordNumber(), 0u);

    // What a filed reminder holds and lists as is driven end to end; here its key in the index.
    dialog.DateDue()->SetDate(today + 1);
    dialog.accept();
    const uint32_t recNo = dialog.RecordNumber();
    ASSERT_NE(recNo, 0u);
    EXPECT_EQ(FindKey(company.Context().File(kFileToDoIndex),
                      BuildToDoKey("ANNE", uint16_t(today + 1), recNo).data(), 0),
              recNo);

    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(listener.notices, 1) << "the Task Manager of this process is told";
    UnregisterWindowForUpdates(&listener);
    SetProgramDate(0);
}

}  // namespace
}  // namespace kelo::host
