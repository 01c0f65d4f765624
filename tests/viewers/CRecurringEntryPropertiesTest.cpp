// The Recurring Entry Properties viewer on the Recurring Items page: labels and fields by kind,
// names found or missing, the finish date and its message, stepping with the page, and the
// page's Properties command.

#include "src/viewers/CRecurringEntryProperties.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "tests/pages/PageFixture.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "src/pages/CReminderRecurring.h"
#include "src/pages/scans/RecurringScan.h"
#include "tests/pages/scans/RecurringBuilder.h"

namespace kelo {
namespace {

using Step = RowStepper::Step;

class RecurringViewerTest : public test::PageFixture<CReminderRecurring> {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        rec.AddBank("1200", "Bank Current Account", 1);
        rec.AddBank("1230", "Petty Cash", 2);
        rec.AddBank("1240", "Company Credit Card", 4);
        rec.AddNominal("7100", "Rent and Rates");
        rec.AddCustomer("ACME", "Acme Trading");
        rec.AddSupplier("BACSCO", "Paid By Bacs Ltd", 1);
        rec.AddSupplier("CHEQUE", "Paid By Cheque Ltd", 0);
        rec.SetTaxRate(1, 17.5);
        rec.SetDepartment(3, "SALES", "Sales Department");
    }
    // The page on the category of `bit`, its row `row` selected, and the viewer on that row.
    std::unique_ptr<CRecurringEntryProperties> View(uint32_t bit, int row = 0)
    {
        if (!page) Open();
        for (int item = 0; item < tree.ItemCount(); ++item)
            if (tree.GetItemValue(item) == bit) ChooseCategory(item);
        EXPECT_GT(page->List()->RowCount(), row);
        page->List()->SelectRow(row);
        auto v = std::make_unique<CRecurringEntryProperties>(
            page, company.Context(), RecurringRowRecord(page->List()->RowBytes(row)), services);
        v->Create(nullptr);
        return v;
    }
    static QString F(const CRecurringEntryProperties& v, const char* name)
    {
        return v.Field(name)->text();
    }

    test::RecurringBuilder rec{company.Context()};
};

TEST_F(RecurringViewerTest, LabelsAndVisibilityByKind)
{
    struct Case {
        int8_t kind;
        bool cash;  // the company's tax scheme
        uint32_t bit;
        const char* type;
        const char* first;  // empty: the bank row is hidden
        const char* second;
        bool details, taxCode, vat;
        const char* amount;
    };
    const Case cases[] = {
        {0, false, kRecurringPayments, "Bank Payment", "Bank A/C From", "Nominal Code", true, true, true, "Net Amount"},
        {1, false, kRecurringReceipts, "Bank Receipt", "Bank A/C To", "Nominal Code", true, true, true, "Net Amount"},
        {2, false, kRecurringTransfers, "Bank/Cash/Credit Card Transfer", "Bank A/C From", "Bank A/C To", true, false, false, "Amount"},
        {3, false, kRecurringCustomerSAs, "Customer Payment on Acount", "Bank A/C", "Customer A/C", false, false, false, "Amount"},
        {3, true, kRecurringCustomerSAs, "Customer Payment on Acount", "Bank A/C", "Customer A/C", false, true, true, "Net Amount"},
        {4, false, kRecurringDebits, "Journal Debit", "", "Nominal Code", true, true, false, "Net Amount"},
        {5, false, kRecurringCredits, "Journal Credit", "", "Nominal Code", true, true, false, "Net Amount"},
        {6, false, kRecurringSupplierPAs, "Supplier Payment on Acount", "Bank A/C", "Supplier A/C", false, false, false, "Amount"},
        {6, true, kRecurringSupplierPAs, "Supplier Payment on Acount", "Bank A/C", "Supplier A/C", false, true, true, "Net Amount"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type + std::string(c.cash ? " (cash accounting)" : ""));
        rec.SetCashAccounting(c.cash);
        // Without a page: the viewer shows the record it is given.
        CRecurringEntryProperties v(nullptr, company.Context(), rec.Add({.kind = c.kind}), services);
        v.Create(nullptr);
        EXPECT_EQ(F(v, "type"), c.type);
        EXPECT_EQ(v.IsRowShown("bank"), *c.first != '\0');
        if (*c.first) {
            EXPECT_EQ(v.Label("first_label")->text(), c.first);
        }
        EXPECT_EQ(v.Label("second_label")->text(), c.second);
        EXPECT_EQ(v.IsRowShown("details"), c.details);
        EXPECT_EQ(v.IsRowShown("tax_code"), c.taxCode);
        EXPECT_EQ(v.IsRowShown("vat"), c.vat);
        EXPECT_EQ(v.Label("amount_label")->text(), c.amount);
        EXPECT_FALSE(v.StepButton(Step::Next)->isEnabled());
    }
}

TEST_F(RecurringViewerTest, EveryFieldOfAPaymentWithNamesDepartmentAndTaxCode)
{
    rec.Add({.kind = 0, .second = "7100", .bank = "1240", .reference = "RENT",
             .details = "Warehouse rent", .net = 1850, .tax = -0.001, .lastPosted = DateStringToNumber("28/02/2027"),
             .department = 3, .taxCode = 1, .interval = 1, .unit = 2,
             .start = DateStringToNumber("31/01/2027"), .total = 12, .made = 2});
    auto v = View(kRecurringPayments);
    EXPECT_EQ(v->windowTitle(), "Recurring Entry Properties");
    EXPECT_EQ(Texts(*v, {"type", "bank", "bank_name", "second", "second_name", "ref", "details",
                         "department", "interval", "total", "start", "last_posted", "finish",
                         "net", "tax_code", "vat"}),
              QStringList({"Visa Payment", "1240", "Company Credit Card", "7100", "Rent and Rates",
                           "RENT", "Warehouse rent", "SALES - Sales Department", "1", "12",
                           "31/01/2027", "28/02/2027", "31/12/2027", "1850.00", "T1   17.50",
                           "0.00"}));  // a negative zero VAT is shown without its sign
    EXPECT_EQ(v->Label("unit")->text(), "Month(s)");
    EXPECT_FALSE(v->Label("bacs")->isVisibleTo(v.get()));
    EXPECT_EQ(v->findChild<QPushButton*>("ok")->text(), "Close");
}

TEST_F(RecurringViewerTest, MissingAccountsDepartmentAndTaxCodeStillOpen)
{
    rec.Add({.kind = 1, .second = "GONE", .bank = "NOBANK", .department = 9, .taxCode = 150,
             .unit = 4, .start = DateStringToNumber("01/01/2027")});
    auto v = View(kRecurringReceipts);
    // A missing bank counts as a bank.
    EXPECT_EQ(Texts(*v, {"type", "bank", "bank_name", "second_name", "department", "tax_code",
                         "finish"}),
              QStringList({"Bank Receipt", "NOBANK", "", "", "9", "T150", "Perpetual"}));
    EXPECT_EQ(v->Label("unit")->text(), "");
}

TEST_F(RecurringViewerTest, BacsOnlyForASupplierPaidByBacs)
{
    rec.Add({.kind = 6, .second = "BACSCO", .department = 0});
    rec.Add({.kind = 6, .second = "CHEQUE"});
    rec.Add({.kind = 6, .second = "NOSUCH"});
    auto v = View(kRecurringSupplierPAs);
    EXPECT_TRUE(v->Label("bacs")->isVisibleTo(v.get()));
    EXPECT_EQ(F(*v, "second_name"), "Paid By Bacs Ltd");
    EXPECT_EQ(F(*v, "department"), "0");
    v->StepTo(Step::Next);
    EXPECT_FALSE(v->Label("bacs")->isVisibleTo(v.get()));
    EXPECT_EQ(F(*v, "second_name"), "Paid By Cheque Ltd");
    v->StepTo(Step::Next);
    EXPECT_FALSE(v->Label("bacs")->isVisibleTo(v.get()));
    EXPECT_EQ(F(*v, "second_name"), "");
}

TEST_F(RecurringViewerTest, InfiniteFinishIsReportedOnceEachTimeItIsShown)
{
    rec.Add({.kind = 4, .interval = 6, .unit = 2, .start = DateStringToNumber("05/06/2079"),
             .total = 32767});
    rec.Add({.kind = 4, .interval = 1, .unit = 1, .start = DateStringToNumber("01/03/2027"),
             .total = 3});
    CKScriptedAnswerer answers;
    auto v = View(kRecurringDebits);
    EXPECT_EQ(F(*v, "finish"), "Infinite");
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text,
              "The projected finish date for this recurring entry is too far into the future "
              "(i.e. beyond 31/12/9999),\nand cannot be displayed.");
    EXPECT_EQ(answers.Messages()[0].kind, MsgKind::Exclamation);
    v->StepTo(Step::Next);
    EXPECT_EQ(F(*v, "finish"), "15/03/2027");
    EXPECT_EQ(answers.Count(), 1);
    v->StepTo(Step::First);
    EXPECT_EQ(answers.Count(), 2);
}

TEST_F(RecurringViewerTest, SuspendPostingCannotBeChanged)
{
    rec.Add({.kind = 0, .suspended = 1});
    rec.Add({.kind = 0, .suspended = 0});
    auto v = View(kRecurringPayments);
    EXPECT_TRUE(v->Suspend()->isChecked());
    v->Suspend()->click();
    EXPECT_TRUE(v->Suspend()->isChecked());
    v->StepTo(Step::Next);
    EXPECT_FALSE(v->Suspend()->isChecked());
    v->Suspend()->click();
    EXPECT_FALSE(v->Suspend()->isChecked());
}

TEST_F(RecurringViewerTest, PropertiesOpensTheViewerAndIsGreyedOnAnEmptyList)
{
    const uint32_t second = (rec.Add({.kind = 1}), rec.Add({.kind = 1}));
    Open();
    ASSERT_EQ(page->List()->RowCount(), 0);  // "Payments" first
    std::unique_ptr<QMenu> menu(page->CreateContextMenu());
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(CReminderPage::FindCommand(menu.get(), kCommandProperties)->isEnabled());

    ChooseCategory(1);  // "Receipts"
    ASSERT_EQ(page->List()->RowCount(), 2);
    menu.reset(page->CreateContextMenu());
    EXPECT_TRUE(CReminderPage::FindCommand(menu.get(), kCommandProperties)->isEnabled());
    page->List()->SelectRow(1);
    uint32_t seen = 0;
    WithModal<CRecurringEntryProperties>([&] { page->SendCommand(kCommandProperties); },
                                         [&](CRecurringEntryProperties& v) { seen = v.RecordNumber(); });
    EXPECT_EQ(seen, second);

    page->List()->SelectRow(-1);
    page->OpenSelected();  // no selection: nothing opens (a modal run would block here)
}

}  // namespace
}  // namespace kelo
