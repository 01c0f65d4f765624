#include "src/records/CAddBill.h"

#include <functional>
#include <string>
#include <vector>

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/data/NominalRecord.h"
#include "host/data/SetupRecord.h"
#include "host/data/TaxControlRecord.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKCalcEdit.h"
#include "host/ui/CKDateEdit.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKPopupField.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "host/ui/CKTreeView.h"
#include "host/util/Dates.h"
#include "src/app/StringTable.h"
#include "src/pages/CReminderBills.h"
#include "src/pages/scans/BillScan.h"
#include "src/records/CRecordWrite.h"
#include "tests/controls/TempRegistry.h"
#include "tests/host/file/TempCompany.h"
#include "tests/host/framework/PostingLedger.h"
#include "tests/pages/BillRecords.h"
#include "tests/pages/FakeTaskServices.h"

namespace kelo {
namespace {

const uint16_t kToday = DateNumberFromComponents(1, 6, 2027);
const uint16_t kYearStart = DateNumberFromComponents(1, 1, 2027);

QString Text(int id) { return QString::fromLatin1(StringTable::Load(id).c_str()); }

class BillEntryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        services.programDate = kToday;
        DataContext& ctx = company.Context();
        test::PostingLedger ledger(ctx);
        ledger.Nominal("7500", "Office stationery");
        const uint32_t debtors = ledger.Nominal("1100", "Debtors control");
        ledger.Nominal("1200", "Bank current account", 0, kNominalKindBank);
        ledger.Nominal("7200", "Electricity");
        std::vector<uint8_t> tax(kTaxControlLength, 0);
        SetU32(tax.data(), kControlDebtors, debtors);
        SetTaxRate(tax.data(), 1, 20.0);
        SetTaxRate(tax.data(), 5, 17.5);
        WriteRec(ctx.File(kFileTaxControl), 1, tax.data());
        std::vector<uint8_t> setup(kSetupLength, 0);
        SetI16(setup.data(), kSetupDefaultTaxCode, 1);
        SetU16(setup.data(), kSetupFinancialYearStart, kYearStart);
        WriteRec(ctx.File(kFileSetup), 1, setup.data());
    }
    void TearDown() override
    {
        if (dialog) dialog->DestroyWindow();
        if (page) page->DestroyWindow();
        test::DrainPostedEvents();
    }

    CAddBill* OpenDialog(uint32_t recNo)
    {
        if (!page) {
            page = new CReminderBills(services, nullptr, &tree);
            page->Create(nullptr);
            test::DrainPostedEvents();
        }
        if (dialog) dialog->DestroyWindow();
        test::DrainPostedEvents();
        dialog = new CAddBill(*page, company.Context(), recNo);
        EXPECT_TRUE(dialog->Create(nullptr));
        dialog->show();
        return dialog;
    }
    // A new bill that passes every check: Pay To 7500, net 100 at T1.
    CAddBill* OpenValid()
    {
        OpenDialog(0);
        dialog->PayTo()->SetTextQuietly("7500");
        dialog->Details()->setText("Paper");
        dialog->Net()->SetValue(100);
        dialog->Vat()->SetValue(20);
        return dialog;
    }
    uint32_t Bills() { return RecCount(company.Context().File(kFileBills)); }

    test::TempRegistry registry;
    test::TempCompany company;
    test::FakeTaskServices services{company.Context(), "ANNA"};
    CKTreeView tree;
    QPointer<CReminderBills> page;
    QPointer<CAddBill> dialog;
};

TEST(BillTax, CodeLinesAndRounding)
{
    EXPECT_EQ(CAddBill::TaxCodeText(0, 0.0), "T 0   0.00");
    EXPECT_EQ(CAddBill::TaxCodeText(1, 20.0), "T 1   20.00");
    EXPECT_EQ(CAddBill::TaxCodeText(99, 17.5), "T99   17.50");
    const struct {
        double net, rate, vat;
    } cases[] = {
        {100.00, 20.0, 20.00}, {0.0, 20.0, 0.0},    {10.05, 17.5, 1.76},  // 1.75875
        {0.03, 17.5, 0.01},    {1.00, 0.5, 0.01},   // 0.005 rounds up
        {-10.00, 20.0, -2.00}, {123.45, 0.0, 0.0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(CAddBill::TaxOn(c.net, c.rate), c.vat) << c.net;
}

TEST_F(BillEntryTest, NewBillStartsFromTheSetupAndTheProgramDate)
{
    OpenDialog(0);
    ASSERT_EQ(dialog->TaxCode()->count(), 100);
    EXPECT_EQ(dialog->TaxCode()->currentIndex(), 1);
    EXPECT_EQ(dialog->BillDate()->GetDate(), kToday);
    EXPECT_EQ(dialog->DueDate()->GetDate(), kToday);
    EXPECT_EQ(dialog->Details()->maxLength(), 60);
    EXPECT_EQ(dialog->Ref()->maxLength(), 8);
    EXPECT_EQ(dialog->PayTo()->Edit()->maxLength(), 8);
}

// Choosing a tax code works the Vat out again; once typed, the Vat is the user's own until Net
// is edited (leaving Net is the end-to-end test's).
TEST_F(BillEntryTest, VatFollowsTheTaxCodeAndStaysTheUsersOwn)
{
    OpenValid();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    dialog->TaxCode()->setCurrentIndex(5);
    emit dialog->TaxCode()->activated(5);
    EXPECT_EQ(dialog->Vat()->text(), "17.50");
    dialog->Vat()->SetValue(40);
    dialog->Net()->setFocus();
    dialog->Details()->setFocus();  // left without an edit
    EXPECT_EQ(dialog->Vat()->text(), "40.00");
}

TEST_F(BillEntryTest, AmountsTheFieldCannotHoldAreRefusedAsTyped)
{
    OpenDialog(0);
    dialog->Net()->clear();
    dialog->Net()->setFocus();
    QTest::keyClicks(dialog->Net(), "12345678901.999");
    EXPECT_EQ(dialog->Net()->text(), "123456789.99");
}

TEST_F(BillEntryTest, OkChecksInOrderWithMessageAndFocus)
{
    struct Case {
        const char* name;
        std::function<void(CAddBill&)> edit;
        int message;
        std::function<QWidget*(CAddBill&)> focus;
    };
    const auto payTo = [](CAddBill& d) -> QWidget* { return d.PayTo()->Edit(); };
    const auto net = [](CAddBill& d) -> QWidget* { return d.Net(); };
    const auto billDate = [](CAddBill& d) -> QWidget* { return d.BillDate(); };
    const auto dueDate = [](CAddBill& d) -> QWidget* { return d.DueDate(); };
    const Case cases[] = {
        {"no such account", [](CAddBill& d) { d.PayTo()->SetTextQuietly("9999"); }, 61225, payTo},
        {"empty Pay To", [](CAddBill& d) { d.PayTo()->SetTextQuietly(""); }, 61225, payTo},
        {"control account", [](CAddBill& d) { d.PayTo()->SetTextQuietly("1100"); }, 61234, payTo},
        {"bank account", [](CAddBill& d) { d.PayTo()->SetTextQuietly("1200"); }, 61235, payTo},
        {"no value, and no account either",
         [](CAddBill& d) {
             d.PayTo()->SetTextQuietly("9999");
             d.Net()->SetValue(0);
             d.Vat()->SetValue(0);
         },
         61225, payTo},
        {"no value",
         [](CAddBill& d) {
             d.Net()->SetValue(0);
             d.Vat()->SetValue(0);
         },
         61214, net},
        {"no bill date", [](CAddBill& d) { d.BillDate()->SetDate(0); }, 61217, billDate},
        {"no due date", [](CAddBill& d) { d.DueDate()->SetDate(0); }, 61218, dueDate},
        {"due before bill",
         [](CAddBill& d) { d.DueDate()->SetDate(static_cast<uint16_t>(kToday - 1)); }, 61238,
         dueDate},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenValid();
        c.edit(*dialog);
        CKScriptedAnswerer answers;
        EXPECT_FALSE(dialog->SaveBill());
        ASSERT_EQ(answers.Count(), 1);
        EXPECT_EQ(answers.Messages()[0].text.trimmed(), Text(c.message));
        EXPECT_EQ(answers.Messages()[0].kind, c.message == 61238 ? 16 : MsgKind::Stop);
        EXPECT_EQ(dialog->focusWidget(), c.focus(*dialog));
        EXPECT_FALSE(dialog->isHidden());
        EXPECT_EQ(Bills(), 0u);
        dialog->DestroyWindow();
        test::DrainPostedEvents();
    }
}

TEST_F(BillEntryTest, DueDateBeforeTheBillIsResetToTheProgramOrBillDate)
{
    const struct {
        uint16_t bill, due, reset;
    } cases[] = {
        {static_cast<uint16_t>(kToday - 10), static_cast<uint16_t>(kToday - 11), kToday},
        {static_cast<uint16_t>(kToday + 10), static_cast<uint16_t>(kToday + 9),
         static_cast<uint16_t>(kToday + 10)},
    };
    for (const auto& c : cases) {
        OpenValid();
        dialog->BillDate()->SetDate(c.bill);
        dialog->DueDate()->SetDate(c.due);
        CKScriptedAnswerer answers;
        EXPECT_FALSE(dialog->CheckDueNotBeforeBill());
        EXPECT_EQ(dialog->DueDate()->GetDate(), c.reset);
        // An equal date passes.
        dialog->DueDate()->SetDate(c.bill);
        EXPECT_TRUE(dialog->CheckDueNotBeforeBill());
        EXPECT_EQ(answers.Count(), 1);
        dialog->DestroyWindow();
        test::DrainPostedEvents();
    }
}

// Asked once whichever dates lie outside the year, focus on the first of them; a paid bill is
// not asked about.
TEST_F(BillEntryTest, FinancialYearQuestionOnceAndNotForAPaidBill)
{
    const uint16_t lastYear = DateNumberFromComponents(15, 12, 2026);
    const uint16_t nextYear = DateNumberFromComponents(15, 1, 2028);
    const struct {
        uint16_t bill, due;
        MsgAnswer answer;
        bool saved;
        bool focusOnBill;
    } cases[] = {
        {lastYear, kToday, MsgAnswer::No, false, true},
        {kToday, nextYear, MsgAnswer::No, false, false},
        {lastYear, nextYear, MsgAnswer::Yes, true, false},
    };
    for (const auto& c : cases) {
        OpenValid();
        dialog->BillDate()->SetDate(c.bill);
        dialog->DueDate()->SetDate(c.due);
        CKScriptedAnswerer answers{c.answer};
        EXPECT_EQ(dialog->SaveBill(), c.saved);
        ASSERT_EQ(answers.Count(), 1);
        EXPECT_EQ(answers.Messages()[0].text.trimmed(), Text(61245));
        if (!c.saved) {
            EXPECT_EQ(dialog->focusWidget(),
                      c.focusOnBill ? static_cast<QWidget*>(dialog->BillDate()) : dialog->DueDate());
        }
    }
    const uint32_t paid = test::AddBill(company.Context(), {"paid", 100, 20, 50, 0, lastYear, lastYear,
                                                            "7500", lastYear});
    OpenDialog(paid);
    CKScriptedAnswerer answers;
    EXPECT_TRUE(dialog->SaveBill());
    EXPECT_EQ(answers.Count(), 0);
}

TEST_F(BillEntryTest, PaidAmountsBoundTheNewNetAndTax)
{
    const uint32_t recNo =
        test::AddBill(company.Context(), {"part paid", 100, 20, 60, 12, kToday, kToday, "7500", kToday});
    const struct {
        double net, tax;
        int message;  // 0: saved
    } cases[] = {
        {59.99, 12, 61215}, {60, 11.99, 61216}, {0, 5, 61215}, {60, 12, 0},  // exactly the paid amounts
    };
    for (const auto& c : cases) {
        OpenDialog(recNo);
        EXPECT_EQ(dialog->AmountPaid()->text(), "72.00");
        EXPECT_EQ(dialog->Outstanding()->text(), "48.00");
        dialog->Net()->SetValue(c.net);
        dialog->Vat()->SetValue(c.tax);
        CKScriptedAnswerer answers;
        EXPECT_EQ(dialog->SaveBill(), c.message == 0) << c.net << " " << c.tax;
        if (c.message != 0) {
            ASSERT_EQ(answers.Count(), 1);
            EXPECT_EQ(answers.Messages()[0].text.trimmed(), Text(c.message));
            EXPECT_EQ(dialog->focusWidget(),
                      c.message == 61216 ? static_cast<QWidget*>(dialog->Vat()) : dialog->Net());
            dialog->DestroyWindow();
            test::DrainPostedEvents();
        }
    }
    EXPECT_DOUBLE_EQ(GetF64(test::ReadStoredBill(company.Context(), recNo).data(), kBillNetAmount), 60);
}

// A new bill goes at the end, its Vat as shown; saved again it is rewritten in place, its first
// due date kept, and the page's row found by its record number.
TEST_F(BillEntryTest, SaveAppendsANewBillAndRewritesAnOldOneInPlace)
{
    test::AddBill(company.Context(), {"first", 10, 0, 0, 0, kToday});
    OpenValid();
    dialog->TaxCode()->setCurrentIndex(5);
    dialog->DueDate()->SetDate(static_cast<uint16_t>(kToday + 14));
    ASSERT_TRUE(dialog->SaveBill());
    ASSERT_EQ(Bills(), 2u);
    std::vector<uint8_t> rec = test::ReadStoredBill(company.Context(), 2);
    EXPECT_EQ(GetRawText(rec.data(), kBillPayTo), std::string("7500    ", 8));
    EXPECT_EQ(GetI16(rec.data(), kBillTaxCode), 5);
    EXPECT_DOUBLE_EQ(GetF64(rec.data(), kBillTaxAmount), 20);
    EXPECT_EQ(page->FindRow(kBillColRecordNumber, 2), 1) << "the page lists it";

    OpenDialog(2);
    dialog->DueDate()->SetDate(static_cast<uint16_t>(kToday + 30));
    dialog->Details()->setText("Paper and toner");
    ASSERT_TRUE(dialog->SaveBill());
    EXPECT_EQ(Bills(), 2u);
    rec = test::ReadStoredBill(company.Context(), 2);
    EXPECT_EQ(GetU16(rec.data(), kBillDueDate), kToday + 30);
    EXPECT_EQ(GetU16(rec.data(), kBillFirstDueDate), kToday + 14);
    EXPECT_EQ(BillColumns().ReadText(page->List()->RowBytes(1), kBillColDescription),
              "Paper and toner");
}

// Enter does not save; a bill of tax alone has a value.
TEST_F(BillEntryTest, EnterDoesNotSaveAndATaxOnlyBillIsAValue)
{
    OpenValid();
    dialog->Net()->SetValue(0);
    dialog->Vat()->SetValue(5);
    QTest::keyClick(dialog->Details(), Qt::Key_Return);
    EXPECT_EQ(Bills(), 0u);
    EXPECT_FALSE(dialog->isHidden());
    EXPECT_TRUE(dialog->SaveBill());
}

TEST_F(BillEntryTest, SavingOverAnotherUsersChangeAsksFirst)
{
    const uint32_t recNo = test::AddBill(company.Context(), {"rent", 500, 0, 0, 0, kToday});
    OpenDialog(recNo);
    dialog->Details()->setText("rent, June");
    DataContext other = DataContext::Open(company.Folder());
    std::vector<uint8_t> theirs = test::ReadStoredBill(other, recNo);
    SetF64(theirs.data(), kBillNetPaid, 100);
    WriteRec(other.File(kFileBills), recNo, theirs.data());
    {
        // Cancel goes back to the dialog with nothing written.
        CKScriptedAnswerer answers{MsgAnswer::Cancel};
        EXPECT_FALSE(dialog->SaveBill());
        ASSERT_EQ(answers.Count(), 1);
        EXPECT_EQ(answers.Messages()[0].text.trimmed(), Text(CRecordWrite::kChangedOnSave));
        EXPECT_EQ(test::ReadStoredBill(company.Context(), recNo), theirs);
        EXPECT_FALSE(dialog->isHidden());
    }
    CKScriptedAnswerer answers{MsgAnswer::Yes};
    EXPECT_TRUE(dialog->SaveBill());
    const std::vector<uint8_t> saved = test::ReadStoredBill(company.Context(), recNo);
    EXPECT_EQ(GetText(saved.data(), kBillDetails), "rent, June");
    EXPECT_DOUBLE_EQ(GetF64(saved.data(), kBillNetPaid), 100);  // their payment is kept
}

TEST_F(BillEntryTest, ABillRenumberedByAnotherUsersDeleteIsNotWrittenOver)
{
    test::AddBill(company.Context(), {"first", 10, 0, 0, 0, kToday});
    test::AddBill(company.Context(), {"second", 20, 0, 0, 0, kToday, kToday, "7200"});
    test::AddBill(company.Context(), {"third", 30, 0, 0, 0, static_cast<uint16_t>(kToday + 1), kToday, "7100"});
    OpenDialog(2);
    dialog->Ref()->setText("NEW");
    DataContext other = DataContext::Open(company.Folder());
    // Their delete of "second" leaves "third" at number 2.
    std::vector<uint8_t> third = test::ReadStoredBill(other, 3);
    WriteRec(other.File(kFileBills), 2, third.data());
    FileCreate(other.File(kFileBills), 16, 1);
    test::AddBill(other, {"first", 10, 0, 0, 0, kToday});
    WriteRec(other.File(kFileBills), 2, third.data());
    // Saved again as a new bill (61292 Yes), never over "third".
    CKScriptedAnswerer answers{MsgAnswer::Yes};
    EXPECT_TRUE(dialog->SaveBill());
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text.trimmed(), Text(CRecordWrite::kDeletedOnSave));
    EXPECT_EQ(test::BillDetails(company.Context()), (std::vector<std::string>{"first", "third", "second"}));
}

}  // namespace
}  // namespace kelo
