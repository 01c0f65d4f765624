#include "src/records/CAddContact.h"

#include <functional>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include "host/data/FileMap.h"
#include "host/data/ToDoRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/PhoneCallReminders.h"
#include "host/ui/CKDateEdit.h"
#include "host/ui/CKPopupField.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "src/pages/CReminderContacts.h"
#include "src/pages/scans/ContactsScan.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/PageFixture.h"
#include "tests/pages/ToDoRecords.h"
#include "tests/records/ToDoEntryFixture.h"

namespace kelo {
namespace {

using test::kToday;

// ANNA's Contacts page on Today's Contacts, with a customer and a supplier reminder due today.
class ContactsTest : public test::PageFixture<CReminderContacts> {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        services.programDate = kToday;
        services.userName = "ANNA";
        build.AddAccount(kLedgerSales, {.code = "ASH001", .name = "Ashdown Garden Centre",
                                        .contact = "Mary Ash", .telephone = "01632 960001"});
        build.AddAccount(kLedgerPurchases, {.code = "KIN001", .name = "Kingsley Paper",
                                            .contact = "Tom King", .telephone = "01632 960002"});
        customer = Remind("ANNA", kLedgerSales, "ASH001", 0);
        supplier = Remind("ANNA", kLedgerPurchases, "KIN001", 0);
        Open();
        ChooseCategory(1);  // Today's Contacts
    }
    void TearDown() override
    {
        if (dialog) dialog->DestroyWindow();
        PageFixture::TearDown();
    }
    uint32_t Remind(const std::string& user, int ledger, const std::string& code, int days)
    {
        return AddPhoneCallReminder(company.Context(), user, ledger, code, uint16_t(kToday + days),
                                    "Ring them");
    }
    CAddContact* Open(uint32_t recNo)
    {
        if (dialog) dialog->DestroyWindow();
        dialog = new CAddContact(*page, company.Context(), recNo);
        EXPECT_TRUE(dialog->Create(nullptr));
        dialog->show();
        return dialog;
    }
    using PageFixture::Open;
    std::vector<uint8_t> Read(uint32_t recNo)
    {
        std::vector<uint8_t> rec(kToDoLength);
        ReadRec(company.Context().File(kFileToDo), recNo, rec.data());
        return rec;
    }

    QPointer<CAddContact> dialog;
    uint32_t customer = 0, supplier = 0;
};

TEST_F(ContactsTest, TheKeyIsReplacedOnlyWhenTheOwnerOrTheDateChanges)
{
    struct Case {
        const char* what;
        std::function<void(CAddContact&)> change;
        bool moved;  // the key of today's date is gone
    } cases[] = {
        {"notes only", [](CAddContact& d) { d.Notes()->setPlainText("Call after 3"); }, false},
        {"completion only", [](CAddContact& d) { d.TaskComplete()->setChecked(true); }, false},
        {"date", [](CAddContact& d) { d.DateDue()->SetDate(kToday + 2); }, true},
    };
    for (const Case& c : cases) {
        const uint32_t rec = Remind("ANNA", kLedgerSales, "ASH001", 0);
        const uint32_t entries = RecCount(company.Context().File(kFileToDoIndex));
        CAddContact* dlg = Open(rec);
        c.change(*dlg);
        ASSERT_TRUE(dlg->SaveReminder()) << c.what;
        EXPECT_EQ(test::HasToDoKey(company.Context(), "ANNA", kToday, rec), !c.moved) << c.what;
        EXPECT_EQ(RecCount(company.Context().File(kFileToDoIndex)), entries) << c.what;
        EXPECT_EQ(GetText(Read(rec).data(), kToDoType), "Phone call reminder.");
    }
}

TEST_F(ContactsTest, ADelegateToDifferingOnlyInCaseIsWrittenAsTheLoggedOnUser)
{
    const uint32_t rec = Remind("anna", kLedgerSales, "ASH001", 0);
    std::vector<uint8_t> stored = Read(rec);
    SetU32(stored.data(), kToDoReserved, 99);
    WriteRec(company.Context().File(kFileToDo), rec, stored.data());
    CAddContact* dlg = Open(rec);
    ASSERT_TRUE(dlg->SaveReminder());
    stored = Read(rec);
    EXPECT_EQ(GetText(stored.data(), kToDoDelegateTo), "ANNA");
    EXPECT_EQ(GetU32(stored.data(), kToDoReserved), 99u) << "written back unchanged";
    EXPECT_TRUE(test::HasToDoKey(company.Context(), "ANNA", kToday, rec));
}

}  // namespace
}  // namespace kelo
