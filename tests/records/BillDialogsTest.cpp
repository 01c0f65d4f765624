// The Bill Record and Bill Payment dialogs: what they open with, their checks in order with
// message and focus, and what a save or a payment writes (or, refused, leaves alone). What a
// payment posts is CPayBillPostingTest's; the Pay To lookup and the Vat worked out on leaving
// Net are the end-to-end tests'.

#include <functional>
#include <string>
#include <vector>

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>

#include <gtest/gtest.h>

#include "host/data/BankRecord.h"
#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/data/GlobalBlock.h"
#include "host/data/SetupRecord.h"
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
#include "src/records/CAddBill.h"
#include "src/records/CPayBill.h"
#include "src/records/CRecordWrite.h"
#include "tests/controls/TempRegistry.h"
#include "tests/host/file/TempCompany.h"
#include "tests/host/framework/PostingLedger.h"
#include "tests/pages/BillRecords.h"
#include "tests/pages/FakeTaskServices.h"

namespace kelo {
namespace {

const uint16_t kToday = DateStringToNumber("06/12/2026");

QString Text(int id) { return QString::fromLatin1(StringTable::Load(id).c_str()); }

// ANNE's Bills page on 06/12/2026 over the usual chart with 7500 Office stationery too, the
// financial year from 01/04/2026 and T1 the default tax code.
class BillEntryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        services.programDate = kToday;
        ledger.Standard();
        ledger.Nominal("7500", "Office stationery");
        std::vector<uint8_t> setup(kSetupLength, 0);
        SetI16(setup.data(), kSetupDefaultTaxCode, 1);
        SetU16(setup.data(), kSetupFinancialYearStart, DateStringToNumber("01/04/2026"));
        WriteRec(company.Context().File(kFileSetup), 1, setup.data());
        page = new CReminderBills(services, nullptr, &tree);
        page->Create(nullptr);
        test::DrainPostedEvents();
    }
    void TearDown() override
    {
        services.block = GlobalBlock(nullptr);  // a test's block has gone with its body
        Close();
        page->DestroyWindow();
        test::DrainPostedEvents();
    }
    void Close()
    {
        if (dialog) dialog->DestroyWindow();
        delete dialog.data();
        test::DrainPostedEvents();
    }
    template <class Dialog>
    Dialog* Open(uint32_t recNo)
    {
        Close();
        auto* d = new Dialog(*page, company.Context(), recNo);
        dialog = d;
        EXPECT_TRUE(d->Create(nullptr));
        d->show();
        return d;
    }
    // A new bill that passes every check: Pay To 7500, net 100 at T1.
    CAddBill* OpenValid()
    {
        CAddBill* d = Open<CAddBill>(0);
        d->PayTo()->SetTextQuietly("7500");
        d->Details()->setText("Paper");
        d->Net()->SetValue(100);
        d->Vat()->SetValue(20);
        return d;
    }
    uint32_t Bills() { return RecCount(company.Context().File(kFileBills)); }
    uint32_t Headers() { return RecCount(company.Context().File(kFileAuditHeaders)); }

    test::TempRegistry registry;
    test::TempCompany company;
    test::FakeTaskServices services{company.Context(), "ANNE"};
    test::PostingLedger ledger{company.Context()};
    CKTreeView tree;
    CReminderBills* page = nullptr;
    QPointer<CKDialog> dialog;
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
    CAddBill* d = Open<CAddBill>(0);
    ASSERT_EQ(d->TaxCode()->count(), 100);
    EXPECT_EQ(d->TaxCode()->currentIndex(), 1);
    EXPECT_EQ(d->BillDate()->GetDate(), kToday);
    EXPECT_EQ(d->DueDate()->GetDate(), kToday);
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
        {"control account", [](CAddBill& d) { d.PayTo()->SetTextQuietly("2200"); }, 61234, payTo},
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
        CAddBill* d = OpenValid();
        c.edit(*d);
        CKScriptedAnswerer answers;
        EXPECT_FALSE(d->SaveBill());
        ASSERT_EQ(answers.Count(), 1);
        EXPECT_EQ(answers.Messages()[0].text.trimmed(), Text(c.message));
        EXPECT_EQ(answers.Messages()[0].kind, c.message == 61238 ? 16 : MsgKind::Stop);
        EXPECT_EQ(d->focusWidget(), c.focus(*d));
        EXPECT_FALSE(d->isHidden());
        EXPECT_EQ(Bills(), 0u);
    }
    // A bill of tax alone has a value.
    CAddBill* d = OpenValid();
    d->Net()->SetValue(0);
    EXPECT_TRUE(d->SaveBill());
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
        CAddBill* d = OpenValid();
        d->BillDate()->SetDate(c.bill);
        d->DueDate()->SetDate(c.due);
        CKScriptedAnswerer answers;
        EXPECT_FALSE(d->CheckDueNotBeforeBill());
        EXPECT_EQ(d->DueDate()->GetDate(), c.reset);
        // An equal date passes.
        d->DueDate()->SetDate(c.bill);
        EXPECT_TRUE(d->CheckDueNotBeforeBill());
        EXPECT_EQ(answers.Count(), 1);
    }
}

// Asked once whichever dates lie outside the year, focus on the first of them.
TEST_F(BillEntryTest, FinancialYearQuestionOnceWithTheFocusOnTheFirstDate)
{
    const uint16_t lastYear = DateStringToNumber("31/03/2026");
    const uint16_t nextYear = DateStringToNumber("01/04/2027");
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
        CAddBill* d = OpenValid();
        d->BillDate()->SetDate(c.bill);
        d->DueDate()->SetDate(c.due);
        CKScriptedAnswerer answers{c.answer};
        EXPECT_EQ(d->SaveBill(), c.saved);
        ASSERT_EQ(answers.Count(), 1);
        EXPECT_EQ(answers.Messages()[0].text.trimmed(), Text(61245));
        if (!c.saved) {
            EXPECT_EQ(d->focusWidget(),
                      c.focusOnBill ? static_cast<QWidget*>(d->BillDate()) : d->DueDate());
        }
    }
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
        CAddBill* d = Open<CAddBill>(recNo);
        EXPECT_EQ(d->AmountPaid()->text(), "72.00");
        EXPECT_EQ(d->Outstanding()->text(), "48.00");
        d->Net()->SetValue(c.net);
        d->Vat()->SetValue(c.tax);
        CKScriptedAnswerer answers;
        EXPECT_EQ(d->SaveBill(), c.message == 0) << c.net << " " << c.tax;
        if (c.message != 0) {
            ASSERT_EQ(answers.Count(), 1);
            EXPECT_EQ(answers.Messages()[0].text.trimmed(), Text(c.message));
            EXPECT_EQ(d->focusWidget(),
                      c.message == 61216 ? static_cast<QWidget*>(d->Vat()) : d->Net());
        }
    }
    EXPECT_DOUBLE_EQ(GetF64(test::ReadStoredBill(company.Context(), recNo).data(), kBillNetAmount), 60);
}

// A new bill goes at the end, its Vat as shown; saved again it is rewritten in place, its first
// due date kept, and the page's row found by its record number.
TEST_F(BillEntryTest, SaveAppendsANewBillAndRewritesAnOldOneInPlace)
{
    test::AddBill(company.Context(), {"first", 10, 0, 0, 0, kToday});
    CAddBill* d = OpenValid();
    d->TaxCode()->setCurrentIndex(5);
    d->DueDate()->SetDate(static_cast<uint16_t>(kToday + 14));
    ASSERT_TRUE(d->SaveBill());
    ASSERT_EQ(Bills(), 2u);
    std::vector<uint8_t> rec = test::ReadStoredBill(company.Context(), 2);
    EXPECT_EQ(GetRawText(rec.data(), kBillPayTo), std::string("7500    ", 8));
    EXPECT_EQ(GetI16(rec.data(), kBillTaxCode), 5);
    EXPECT_DOUBLE_EQ(GetF64(rec.data(), kBillTaxAmount), 20);
    EXPECT_EQ(page->FindRow(kBillColRecordNumber, 2), 0) << "the page lists it";

    d = Open<CAddBill>(2);
    d->DueDate()->SetDate(static_cast<uint16_t>(kToday + 30));
    d->Details()->setText("Paper and toner");
    ASSERT_TRUE(d->SaveBill());
    EXPECT_EQ(Bills(), 2u);
    rec = test::ReadStoredBill(company.Context(), 2);
    EXPECT_EQ(GetU16(rec.data(), kBillDueDate), kToday + 30);
    EXPECT_EQ(GetU16(rec.data(), kBillFirstDueDate), kToday + 14);
    EXPECT_EQ(BillColumns().ReadText(page->List()->RowBytes(0), kBillColDescription),
              "Paper and toner");
}

TEST_F(BillEntryTest, SavingOverAnotherUsersChangeAsksFirst)
{
    const uint32_t recNo = test::AddBill(company.Context(), {"rent", 500, 0, 0, 0, kToday});
    CAddBill* d = Open<CAddBill>(recNo);
    d->Details()->setText("rent, June");
    DataContext other = DataContext::Open(company.Folder());
    std::vector<uint8_t> theirs = test::ReadStoredBill(other, recNo);
    SetF64(theirs.data(), kBillNetPaid, 100);
    WriteRec(other.File(kFileBills), recNo, theirs.data());
    {
        // Cancel goes back to the dialog with nothing written.
        CKScriptedAnswerer answers{MsgAnswer::Cancel};
        EXPECT_FALSE(d->SaveBill());
        ASSERT_EQ(answers.Count(), 1);
        EXPECT_EQ(answers.Messages()[0].text.trimmed(), Text(CRecordWrite::kChangedOnSave));
        EXPECT_EQ(test::ReadStoredBill(company.Context(), recNo), theirs);
        EXPECT_FALSE(d->isHidden());
    }
    CKScriptedAnswerer answers{MsgAnswer::Yes};
    EXPECT_TRUE(d->SaveBill());
    const std::vector<uint8_t> saved = test::ReadStoredBill(company.Context(), recNo);
    EXPECT_EQ(GetText(saved.data(), kBillDetails), "rent, June");
    EXPECT_DOUBLE_EQ(GetF64(saved.data(), kBillNetPaid), 100);  // their payment is kept
}

TEST_F(BillEntryTest, ABillRenumberedByAnotherUsersDeleteIsNotWrittenOver)
{
    test::AddBill(company.Context(), {"first", 10, 0, 0, 0, kToday});
    test::AddBill(company.Context(), {"second", 20, 0, 0, 0, kToday, kToday, "7200"});
    test::AddBill(company.Context(), {"third", 30, 0, 0, 0, static_cast<uint16_t>(kToday + 1), kToday, "7100"});
    CAddBill* d = Open<CAddBill>(2);
    d->Ref()->setText("NEW");
    DataContext other = DataContext::Open(company.Folder());
    // Their delete of "second" leaves "third" at number 2.
    std::vector<uint8_t> third = test::ReadStoredBill(other, 3);
    FileCreate(other.File(kFileBills), 16, 1);
    test::AddBill(other, {"first", 10, 0, 0, 0, kToday});
    WriteRec(other.File(kFileBills), 2, third.data());
    // Saved again as a new bill (61292 Yes), never over "third".
    CKScriptedAnswerer answers{MsgAnswer::Yes};
    EXPECT_TRUE(d->SaveBill());
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text.trimmed(), Text(CRecordWrite::kDeletedOnSave));
    EXPECT_EQ(test::BillDetails(company.Context()), (std::vector<std::string>{"first", "third", "second"}));
}

// Bill 1: 100.00 + 20.00 of which 30.00 + 6.00 paid; banks 1250 of no known kind and 1260 in
// another currency besides the usual ones.
class PayBillTest : public BillEntryTest {
protected:
    void SetUp() override
    {
        BillEntryTest::SetUp();
        ledger.Bank("1250", "Odd account", 3);
        ledger.Bank("1260", "Euro account", kBankKindBank, 0, 2);
        test::AddBill(company.Context(), {.details = "Warehouse rent", .net = 100, .tax = 20,
                                          .netPaid = 30, .taxPaid = 6, .dueDate = 46030,
                                          .billDate = 46000, .payTo = "7100", .reference = "INV77",
                                          .taxCode = 1});
    }
    // Fills the fields as the user would leave them.
    CPayBill* OpenFilled(const char* bank, double net, double vat, const char* date = "06/12/2026")
    {
        CPayBill* d = Open<CPayBill>(1);
        d->Bank()->SetText(QString::fromLatin1(bank));
        d->Net()->SetValue(net);
        d->Vat()->SetValue(vat);
        d->Date()->SetDate(DateStringToNumber(date));
        return d;
    }
    std::vector<uint8_t> Bill() { return test::ReadStoredBill(company.Context(), 1); }
    double Paid(const Field& f) { return GetF64(Bill().data(), f); }
};

// The dialog offers what is left to pay, with the tax code the bill was entered with; a code
// chosen works the tax out again by the Bill Record dialog's rule.
TEST_F(PayBillTest, OpensWithTheOutstandingAmounts)
{
    CPayBill* d = Open<CPayBill>(1);
    EXPECT_EQ(d->Ref()->text(), "INV77");
    EXPECT_EQ(d->Date()->GetDate(), kToday);
    EXPECT_DOUBLE_EQ(d->Net()->Value(), 70.00);
    EXPECT_DOUBLE_EQ(d->Vat()->Value(), 14.00);
    EXPECT_EQ(d->TaxCode()->currentIndex(), 1);
    d->Net()->SetValue(50.00);
    d->TaxCode()->setCurrentIndex(5);  // 5 %
    EXPECT_DOUBLE_EQ(d->Vat()->Value(), 2.50);

    CPayBill none(*page, company.Context(), 0);
    EXPECT_FALSE(none.Create(nullptr));
}

struct Refusal {
    const char* name;
    const char* bank;
    double net, vat;
    const char* date;
    bool foreignTrade;
    const char* message;
    const char* focus;  // object name of the field given the focus; null: not looked at
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
    // A bank of no known kind passes the checks; the ledger refuses its posting.
    {"posting refused", "1250", 10, 2, "06/12/2026", false, CPayBill::kRefusedText, nullptr},
};

class PayBillRefusal : public PayBillTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(PayBillRefusal, ShowsItsMessageSetsTheFocusAndWritesNothing)
{
    const Refusal& r = GetParam();
    std::vector<uint8_t> block(kGlobalBlockLength, 0);
    services.block = GlobalBlock(block.data());
    services.block.SetU32(kGlobalForeignTrader, r.foreignTrade ? 1 : 0);
    const auto before = Bill();
    CPayBill* d = nullptr;
    {
        // The lookup refuses a foreign bank as it is chosen, with the message of the check.
        CKScriptedAnswerer lookup;
        d = OpenFilled(r.bank, r.net, r.vat, r.date);
        EXPECT_EQ(lookup.Count(), r.foreignTrade ? 1 : 0);
    }
    if (r.foreignTrade) d->Bank()->SetTextQuietly(QString::fromLatin1(r.bank));
    CKScriptedAnswerer answers({MsgAnswer::No});
    EXPECT_FALSE(d->PayBill());
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text.toStdString(), r.message);
    if (r.focus) {
        EXPECT_EQ(d->focusWidget() ? d->focusWidget()->objectName().toStdString() : std::string(),
                  r.focus);
    }
    EXPECT_EQ(Bill(), before);
    EXPECT_EQ(Headers(), 0u);
    EXPECT_TRUE(d->isVisible());
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
    EXPECT_TRUE(OpenFilled("1240", 20.00, 0.00)->PayBill());
    CPayBill* d = Open<CPayBill>(1);
    EXPECT_DOUBLE_EQ(d->Net()->Value(), 50.00);
    d = OpenFilled("1200", 0.00, 4.00, "31/03/2026");
    CKScriptedAnswerer answers({MsgAnswer::Yes});
    EXPECT_TRUE(d->PayBill());
    EXPECT_EQ(answers.Count(), 1);
    EXPECT_DOUBLE_EQ(Paid(kBillNetPaid), 50.00);
    EXPECT_DOUBLE_EQ(Paid(kBillTaxPaid), 10.00);
    EXPECT_EQ(Headers(), 2u);
}

TEST_F(PayBillTest, ABillLockedByAnotherUserIsNotPaid)
{
    QProcess holder;
    holder.start(QStringLiteral(KELO_PAY_TRIAL),
                 {QStringLiteral("hold-lock"), QString::fromStdString(company.Folder()),
                  QStringLiteral("1")});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readLine().trimmed(), "locked");
    CPayBill* d = OpenFilled("1200", 10, 2);
    {
        CKScriptedAnswerer answers;
        EXPECT_FALSE(d->PayBill());
        ASSERT_EQ(answers.Count(), 1);
        EXPECT_EQ(answers.Messages()[0].text.toStdString(),
                  StringTable::Load(CRecordWrite::kLockedByOther) + " ");
    }
    EXPECT_EQ(Headers(), 0u);
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_TRUE(d->PayBill());
}

}  // namespace
}  // namespace kelo
