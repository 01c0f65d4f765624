// The Bill Payment dialog: what it opens with, its checks in order with their messages and
// focus, the tax calculation, and what a payment writes (or, refused, leaves alone).

#include <string>
#include <vector>

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "../host/framework/PostingLedger.h"
#include "host/data/BankRecord.h"
#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/data/GlobalBlock.h"
#include "host/data/SetupRecord.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKCalcEdit.h"
#include "host/ui/CKDateEdit.h"
#include "host/ui/CKPopupField.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "host/ui/CKTreeView.h"
#include "host/util/Dates.h"
#include "src/pages/CReminderToDo.h"
#include "src/app/StringTable.h"
#include "src/records/CPayBill.h"
#include "src/records/CRecordWrite.h"
#include "tests/controls/TempRegistry.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/BillRecords.h"
#include "tests/pages/FakeTaskServices.h"
#include "tests/records/ToDoEntryFixture.h"

namespace kelo {
namespace {

const uint16_t kToday = DateStringToNumber("06/12/2026");

class PayBillTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        services.programDate = kToday;
        ledger.Standard();
        ledger.Bank("1250", "Odd account", 3);
        ledger.Bank("1260", "Euro account", kBankKindBank, 0, 2);
        std::vector<uint8_t> setup(kSetupLength, 0);
        SetU16(setup.data(), kSetupFinancialYearStart, DateStringToNumber("01/04/2026"));
        WriteRec(company.Context().File(kFileSetup), 1, setup.data());
        // 100.00 + 20.00 of which 30.00 + 6.00 paid
        test::AddBill(company.Context(), {.details = "Warehouse rent", .net = 100, .tax = 20,
                                          .netPaid = 30, .taxPaid = 6, .dueDate = 46030,
                                          .billDate = 46000, .payTo = "7100", .reference = "INV77",
                                          .taxCode = 1});
        page = new CReminderToDo(services, nullptr, &tree);
        page->Create(nullptr);
        test::Drain();
    }

    void TearDown() override
    {
        services.block = GlobalBlock(nullptr);  // a test's block has gone with its body
        if (dialog) dialog->DestroyWindow();
        delete dialog.data();
        page->DestroyWindow();
        test::Drain();
    }

    CPayBill* Open(uint32_t recNo = 1)
    {
        dialog = new CPayBill(*page, company.Context(), recNo);
        EXPECT_TRUE(dialog->Create(nullptr));
        dialog->show();
        return dialog;
    }

    // Fills the fields as the user would leave them.
    void Fill(const char* bank, double net, double vat, const char* date = "06/12/2026")
    {
        dialog->Bank()->SetText(QString::fromLatin1(bank));
        dialog->Net()->SetValue(net);
        dialog->Vat()->SetValue(vat);
        dialog->Date()->SetDate(DateStringToNumber(date));
    }

    uint32_t Headers() { return RecCount(company.Context().File(kFileAuditHeaders)); }
    std::vector<uint8_t> Bill() { return test::ReadStoredBill(company.Context(), 1); }
    double Paid(const Field& f) { return GetF64(Bill().data(), f); }

    test::TempRegistry registry;
    test::TempCompany company;
    test::FakeTaskServices services{company.Context(), "ANNE"};
    test::PostingLedger ledger{company.Context()};
    CKTreeView tree;
    CReminderToDo* page = nullptr;
    QPointer<CPayBill> dialog;
};

// The dialog offers what is left to pay, with the tax code the bill was entered with; a code
// chosen works the tax out again by the Bill Record dialog's rule.
TEST_F(PayBillTest, OpensWithTheOutstandingAmounts)
{
    Open();
    EXPECT_EQ(dialog->Ref()->text(), "INV77");
    EXPECT_EQ(dialog->Date()->GetDate(), kToday);
    EXPECT_DOUBLE_EQ(dialog->Net()->Value(), 70.00);
    EXPECT_DOUBLE_EQ(dialog->Vat()->Value(), 14.00);
    EXPECT_EQ(dialog->TaxCode()->currentIndex(), 1);
    dialog->Net()->SetValue(50.00);
    dialog->TaxCode()->setCurrentIndex(5);  // 5 %
    EXPECT_DOUBLE_EQ(dialog->Vat()->Value(), 2.50);

    CPayBill none(*page, company.Context(), 0);
    EXPECT_FALSE(none.Create(nullptr));
}

// Choosing a bank of another currency is refused as it is chosen, for a foreign trader.
TEST_F(PayBillTest, BankLookupRefusesAForeignBank)
{
    Open();
    std::vector<uint8_t> block(kGlobalBlockLength, 0);
    services.block = GlobalBlock(block.data());
    services.block.SetU32(kGlobalForeignTrader, 1);
    CKScriptedAnswerer answers;
    dialog->Bank()->SetText("1260");
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text,
              "You cannot post Bill payments against\nnon-Base Currency Bank Accounts. ");
    EXPECT_EQ(dialog->Bank()->Text(), "");
}

struct Refusal {
    const char* name;
    const char* bank;
    double net, vat;
    const char* date;
    bool foreignTrade;
    const char* message;
    const char* focus;  // object name of the field given the focus
};

const Refusal kRefusals[] = {
    {"no bank", "  ", 10, 2, "06/12/2026", false, "A Bank account must be selected ", "bankEdit"},
    {"unknown bank", "1299", 10, 2, "06/12/2026", false,
     "The bank account entered could not be found.\n\nPlease enter a valid bank account. ",
     "bankEdit"},
    {"non-base currency", "1260", 10, 2, "06/12/2026", true,
     "You cannot post Bill payments against\nnon-Base Currency Bank Accounts. ", "bankEdit"},
    {"no date", "1200", 10, 2, "", false,
     "You have entered an invalid bill date.\n\nPlease enter a valid date for this bill. ", "date"},
    {"outside the year, answered No", "1200", 10, 2, "01/04/2027", false,
     "Date is outside the current financial year. Do you want to continue ? ", "date"},
    {"no value", "1200", 0, 0.004, "06/12/2026", false, "No value entered, please enter value ",
     "net"},
    {"net a penny over", "1200", 70.01, 14, "06/12/2026", false,
     "Net amount entered of 70.01 is greater\nthan outstanding net amount of 70.00", "net"},
    {"VAT a penny over", "1200", 70, 14.01, "06/12/2026", false,
     "VAT amount entered of 14.01 is greater\nthan outstanding VAT amount of 14.00", "vat"},
};

class PayBillRefusal : public PayBillTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(PayBillRefusal, ShowsItsMessageSetsTheFocusAndWritesNothing)
{
    const Refusal& r = GetParam();
    std::vector<uint8_t> block(kGlobalBlockLength, 0);
    services.block = GlobalBlock(block.data());
    services.block.SetU32(kGlobalForeignTrader, r.foreignTrade ? 1 : 0);
    Open();
    const auto before = Bill();
    {
        CKScriptedAnswerer quiet;  // the lookup's own refusal of a foreign bank
        Fill(r.bank, r.net, r.vat, r.date);
    }
    if (r.foreignTrade) dialog->Bank()->SetTextQuietly(QString::fromLatin1(r.bank));
    CKScriptedAnswerer answers({MsgAnswer::No});
    EXPECT_FALSE(dialog->PayBill());
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text.toStdString(), r.message);
    EXPECT_EQ(dialog->focusWidget() ? dialog->focusWidget()->objectName().toStdString() : std::string(),
              r.focus);
    EXPECT_EQ(Bill(), before);
    EXPECT_EQ(Headers(), 0u);
    EXPECT_TRUE(dialog->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Checks, PayBillRefusal, ::testing::ValuesIn(kRefusals),
                         [](const ::testing::TestParamInfo<Refusal>& info) {
                             std::string n = info.param.name;
                             for (char& c : n)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return n;
                         });

// A part payment leaves the rest outstanding for the next; tax alone is a payment; a date
// outside the year answered Yes pays.
TEST_F(PayBillTest, PartPaymentsTaxOnlyAndOutsideTheYear)
{
    Open();
    Fill("1240", 20.00, 0.00);
    EXPECT_TRUE(dialog->PayBill());
    dialog->DestroyWindow();
    delete dialog.data();

    Open();
    EXPECT_DOUBLE_EQ(dialog->Net()->Value(), 50.00);
    Fill("1200", 0.00, 4.00, "31/03/2026");
    CKScriptedAnswerer answers({MsgAnswer::Yes});
    EXPECT_TRUE(dialog->PayBill());
    EXPECT_EQ(answers.Count(), 1);
    EXPECT_DOUBLE_EQ(Paid(kBillNetPaid), 50.00);
    EXPECT_DOUBLE_EQ(Paid(kBillTaxPaid), 10.00);
    EXPECT_EQ(Headers(), 2u);
}

// A posting the ledger refuses (a bank of no known kind) is said, and leaves the bill and the
// dialog as they were.
TEST_F(PayBillTest, RefusedPostingKeepsTheDialogAndTheBill)
{
    Open();
    const auto before = Bill();
    Fill("1250", 10, 2);
    CKScriptedAnswerer answers;
    EXPECT_FALSE(dialog->PayBill());
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text.toStdString(), CPayBill::kRefusedText);
    EXPECT_EQ(Bill(), before);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(PayBillTest, AnotherUsersPaymentMeanwhileIsShownAndThePaymentStartsAgain)
{
    Open();
    CPayBillPosting theirs(company.Context(), 1);
    ASSERT_TRUE(theirs.Read());
    BillPaymentEntry e;
    e.bank = "1200";
    e.date = kToday;
    e.net = 60;
    e.vat = 12;
    ASSERT_EQ(theirs.Pay(e, "TOM"), CPayBillPosting::Outcome::Posted);

    Fill("1200", 70, 14);
    {
        CKScriptedAnswerer answers({MsgAnswer::Yes});
        EXPECT_FALSE(dialog->PayBill());
        ASSERT_EQ(answers.Count(), 1);
        EXPECT_EQ(answers.Messages()[0].text.toStdString(), CPayBill::kChangedText);
    }
    EXPECT_TRUE(dialog->BillChangedElsewhere());
    EXPECT_DOUBLE_EQ(dialog->Net()->Value(), 10.00);  // what they left outstanding
    EXPECT_DOUBLE_EQ(dialog->Vat()->Value(), 2.00);
    EXPECT_EQ(Headers(), 1u);
    dialog->Bank()->SetText("1200");
    EXPECT_TRUE(dialog->PayBill());
    EXPECT_DOUBLE_EQ(Paid(kBillNetPaid), 100.00);
    EXPECT_DOUBLE_EQ(Paid(kBillTaxPaid), 20.00);
}

TEST_F(PayBillTest, ABillLockedByAnotherUserIsNotPaid)
{
    QProcess holder;
    holder.start(QStringLiteral(KELO_PAY_TRIAL),
                 {QStringLiteral("hold-lock"), QString::fromStdString(company.Folder()),
                  QStringLiteral("1")});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readLine().trimmed(), "locked");
    Open();
    Fill("1200", 10, 2);
    {
        CKScriptedAnswerer answers;
        EXPECT_FALSE(dialog->PayBill());
        ASSERT_EQ(answers.Count(), 1);
        EXPECT_EQ(answers.Messages()[0].text.toStdString(),
                  StringTable::Load(CRecordWrite::kLockedByOther) + " ");
    }
    EXPECT_EQ(Headers(), 0u);
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_TRUE(dialog->PayBill());
}

}  // namespace
}  // namespace kelo
