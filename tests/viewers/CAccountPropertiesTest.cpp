#include "src/viewers/CAccountProperties.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "tests/pages/PageFixture.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "src/pages/CReminderAccount.h"
#include "src/pages/scans/AccountStatusScan.h"

namespace kelo {
namespace {

using Step = RowStepper::Step;

class AccountViewerTest : public test::PageFixture<CReminderAccount> {
protected:
    // Customers on hold, listed under "Sales On Hold" (the tree's second item).
    uint32_t AddHeld(const char* code, const char* contact = "Ann", const char* phone = "0123")
    {
        return build.AddAccount(kLedgerSales, {.code = code, .name = std::string(code) + " Ltd",
                                               .onHold = 1, .contact = contact,
                                               .telephone = phone});
    }
    void ShowOnHold()
    {
        Open();
        ChooseCategory(1);
        ASSERT_EQ(page->CategoryValue(), kSalesOnHold);
    }
    std::unique_ptr<CAccountProperties> View(int row)
    {
        page->List()->SelectRow(row);
        const uint32_t recNo = AccountStatusRowRecord(page->List()->RowBytes(row));
        auto v = std::make_unique<CAccountProperties>(page, company.Context(), recNo, kLedgerSales,
                                                      services);
        v->Create(nullptr);
        return v;
    }
    static void ExpectButtons(const CAccountProperties& v, bool first, bool previous, bool next,
                              bool last)
    {
        EXPECT_EQ(v.StepButton(Step::First)->isEnabled(), first);
        EXPECT_EQ(v.StepButton(Step::Previous)->isEnabled(), previous);
        EXPECT_EQ(v.StepButton(Step::Next)->isEnabled(), next);
        EXPECT_EQ(v.StepButton(Step::Last)->isEnabled(), last);
    }
};

TEST_F(AccountViewerTest, ShowsTheAccountAndItsAgedAnalysis)
{
    const uint32_t acc = AddHeld("ACME", "Ann Lee", "01234 567");
    test::LedgerBuilder::Header h;
    h.account = "ACME";
    h.date = test::kPageToday - 10;
    h.net = 100.0;
    h.tax = 17.5;
    const uint32_t inv = build.AddHeader(kLedgerSales, acc, h);
    build.AddAllocation(inv, test::kPageToday - 1, 50.0);
    h.type = 2;
    h.date = test::kPageToday - 65;
    h.net = 20.0;
    h.tax = 0;
    build.AddHeader(kLedgerSales, acc, h);
    ShowOnHold();

    auto v = View(0);
    EXPECT_EQ(v->windowTitle(), "Account Details");
    EXPECT_EQ(Texts(*v, {"account", "name", "contact"}),
              QStringList({"ACME    ", "ACME Ltd", "Ann Lee"}));
    EXPECT_EQ(v->Telephone()->text(), "01234 567");
    EXPECT_FALSE(v->Telephone()->isReadOnly());
    EXPECT_EQ(Texts(*v, {"future", "current", "period1", "period2", "period3", "older"}),
              QStringList({"0.00", "67.50", "0.00", "-20.00", "0.00", "0.00"}));
    for (const char* amount : {"future", "current", "period1", "period2", "period3", "older"})
        EXPECT_TRUE(v->Field(amount)->alignment() & Qt::AlignRight) << amount << " lines up right";
    EXPECT_TRUE(v->NoFiguresLabel()->isHidden());
}

TEST_F(AccountViewerTest, SteppingMovesThePageSelectionAndTheButtons)
{
    AddHeld("AAA");
    AddHeld("BBB");
    AddHeld("CCC");
    ShowOnHold();
    ASSERT_EQ(page->List()->RowCount(), 3);

    auto v = View(2);
    ExpectButtons(*v, true, true, false, true);  // on the last row
    EXPECT_EQ(v->Field("name")->text(), "CCC Ltd");

    v->StepButton(Step::Previous)->click();
    EXPECT_EQ(page->List()->GetSelectedRow(), 1);
    EXPECT_EQ(v->Field("name")->text(), "BBB Ltd");
    ExpectButtons(*v, true, true, true, true);

    v->StepTo(Step::First);
    EXPECT_EQ(page->List()->GetSelectedRow(), 0);
    EXPECT_EQ(v->Field("name")->text(), "AAA Ltd");
    ExpectButtons(*v, true, false, true, true);
    v->StepTo(Step::Previous);  // nothing before the first
    EXPECT_EQ(page->List()->GetSelectedRow(), 0);

    v->StepTo(Step::Last);
    EXPECT_EQ(v->Field("name")->text(), "CCC Ltd");
    v->StepTo(Step::Next);  // nothing after the last
    EXPECT_EQ(page->List()->GetSelectedRow(), 2);
    EXPECT_EQ(v->RecordNumber(), AccountStatusRowRecord(page->List()->RowBytes(2)));
}

TEST_F(AccountViewerTest, DialsWithTheContactAndNoModemSettings)
{
    AddHeld("ACME", "Ann Lee", "0123");
    ShowOnHold();
    auto v = View(0);
    v->Telephone()->setText("0999 111");  // the number as the user changed it
    v->DialButton()->click();
    EXPECT_TRUE(dialled.empty());  // posted, not yet handled
    Drain();
    ASSERT_EQ(dialled.size(), 1u);
    EXPECT_EQ(dialled[0].number, "0999 111");
    EXPECT_EQ(dialled[0].kind, "Customer");
    EXPECT_EQ(dialled[0].name, "Ann Lee");
    EXPECT_EQ(dialled[0].modemPort, "") << "this viewer passes no modem settings";

    const uint32_t s = build.AddAccount(kLedgerPurchases, {.code = "SUPP", .contact = "Sam"});
    CAccountProperties supplier(page, company.Context(), s, kLedgerPurchases, services);
    supplier.Create(nullptr);
    supplier.SendCommand(CLedgerViewer::kDialCommand);
    ASSERT_EQ(dialled.size(), 2u);
    EXPECT_EQ(dialled[1].kind, "Supplier");
    EXPECT_EQ(dialled[1].name, "Sam");
}

TEST_F(AccountViewerTest, PropertiesOpensTheViewerModallyOnTheSelectedAccount)
{
    AddHeld("AAA");
    const uint32_t second = AddHeld("BBB");
    ShowOnHold();
    page->List()->SelectRow(1);

    EXPECT_TRUE(WithModal<CAccountProperties>([&] { page->SendCommand(kCommandProperties); },
                                              [&](CAccountProperties& v) {
                                                  EXPECT_EQ(v.RecordNumber(), second);
                                                  EXPECT_EQ(v.Ledger(), kLedgerSales);
                                              }));
}

TEST_F(AccountViewerTest, LedgerNotDefinedFallsBackToSales)
{
    AddHeld("AAA");
    ShowOnHold();
    page->List()->SelectRow(0);
    // A value that is none of the nine bits (the fill it posts finds nothing of it).
    page->OnCategorySelected(1, kSalesOnHold | kSalesInactive);
    CKScriptedAnswerer answers;
    int ledger = 0;
    WithModal<CAccountProperties>([&] { page->OpenSelected(); },
                                  [&](CAccountProperties& v) { ledger = v.Ledger(); });
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text, "Ledger Not defined");
    EXPECT_EQ(ledger, kLedgerSales);
}

}  // namespace
}  // namespace kelo
