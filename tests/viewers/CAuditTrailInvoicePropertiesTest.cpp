#include "src/viewers/CAuditTrailInvoiceProperties.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "tests/pages/PageFixture.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKListView.h"
#include "host/util/Settings.h"
#include "src/pages/CReminderAuditTrail.h"
#include "src/pages/scans/AccountsDueScan.h"

namespace kelo {
namespace {

using Step = RowStepper::Step;

class TransactionViewerTest : public test::PageFixture<CReminderAuditTrail> {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        SetINIFolder(m_settings.path());
        customer = build.AddAccount(kLedgerSales, {.code = "ACME", .name = "Acme Ltd",
                                                   .contact = "Ann", .telephone = "0123"});
    }
    void TearDown() override
    {
        SetINIFolder(QString());
        PageFixture::TearDown();
    }
    uint32_t AddInvoice(uint32_t number, double net, double tax, double paid, int age = 40)
    {
        test::LedgerBuilder::Header h;
        h.account = "ACME";
        h.reference = "INV" + std::to_string(number);
        h.details = "Goods";
        h.date = static_cast<uint16_t>(test::kPageToday - age);
        h.net = net;
        h.tax = tax;
        h.paid = paid;
        h.transaction = number;
        return build.AddHeader(kLedgerSales, customer, h);
    }
    std::unique_ptr<CAuditTrailInvoiceProperties> View(int row)
    {
        page->List()->SelectRow(row);
        auto v = std::make_unique<CAuditTrailInvoiceProperties>(
            page, company.Context(), AccountsDueRowTransaction(page->List()->RowBytes(row)),
            services);
        v->Create(nullptr);
        return v;
    }

    uint32_t customer = 0;

private:
    QTemporaryDir m_settings;
};

TEST_F(TransactionViewerTest, SalesInvoiceWithItsOutstandingInRedOnWhite)
{
    AddInvoice(501, 100.0, 17.5, 50.0);
    Open();  // "Sales Overdue"
    ASSERT_EQ(page->List()->RowCount(), 1);
    EXPECT_EQ(page->List()->GetSelectedRow(), 0);

    auto v = View(0);
    EXPECT_EQ(v->windowTitle(), "Transaction Details");
    EXPECT_EQ(Texts(*v, {"account", "number", "name", "type", "date", "net", "tax", "paid",
                         "outstanding"}),
              QStringList({"ACME", "501", "Acme Ltd", "Sales Invoice",
                           QString::fromStdString(DateNumberToFullString(test::kPageToday - 40)),
                           "100.00", "17.50", "50.00", "67.50"}));
    QLineEdit* outstanding = v->Field("outstanding");
    EXPECT_EQ(outstanding->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(outstanding->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_NE(v->findChild<QWidget*>("rule"), nullptr);
    // One row: no step anywhere.
    for (Step s : {Step::First, Step::Previous, Step::Next, Step::Last})
        EXPECT_FALSE(v->StepButton(s)->isEnabled());
}

TEST_F(TransactionViewerTest, DialsWithModemDefaultsAndNameAndContactJoined)
{
    AddInvoice(7, 10.0, 0, 0);
    const uint32_t noContact = build.AddAccount(kLedgerSales, {.code = "SOLO", .name = "Solo"});
    test::LedgerBuilder::Header h;
    h.account = "SOLO";
    h.date = test::kPageToday - 40;
    h.net = 5.0;
    h.transaction = 8;
    build.AddHeader(kLedgerSales, noContact, h);
    Open();

    auto v = View(0);
    v->SendCommand(CLedgerViewer::kDialCommand);
    ASSERT_EQ(dialled.size(), 1u);
    EXPECT_EQ(dialled[0].number, "0123");
    EXPECT_EQ(dialled[0].kind, "Customer");
    EXPECT_EQ(dialled[0].name, "Acme Ltd Ann");
    EXPECT_EQ(dialled[0].modemPort, "COM1");
    EXPECT_EQ(dialled[0].dialPrefix, "ATDT");
    EXPECT_EQ(dialled[0].delay, 30);

    WriteINIString(GetINI(0), "Modem", "Modem", "COM3");
    WriteINIString(GetINI(0), "Modem", "DialType", "ATDP");
    WriteINIInt(GetINI(0), "Modem", "Delay", 12);
    v->StepTo(Step::Next);
    EXPECT_EQ(v->TransactionNumber(), 8u);
    v->SendCommand(CLedgerViewer::kDialCommand);
    ASSERT_EQ(dialled.size(), 2u);
    EXPECT_EQ(dialled[1].name, "Solo ");  // an empty contact still gets its space
    EXPECT_EQ(dialled[1].modemPort, "COM3");
    EXPECT_EQ(dialled[1].dialPrefix, "ATDP");
    EXPECT_EQ(dialled[1].delay, 12);
}

TEST_F(TransactionViewerTest, PurchaseInvoiceDialsAsSupplier)
{
    const uint32_t s = build.AddAccount(kLedgerPurchases, {.code = "ACME", .name = "Acme Supplies",
                                                           .contact = "Sue"});
    test::LedgerBuilder::Header h;
    h.type = 6;
    h.account = "ACME";
    h.net = 9.0;
    h.transaction = 60;
    build.AddHeader(kLedgerPurchases, s, h);
    Open();
    CAuditTrailInvoiceProperties v(page, company.Context(), 60, services);
    v.Create(nullptr);
    EXPECT_EQ(Texts(v, {"type", "name", "date"}),
              QStringList({"Purchase Invoice", "Acme Supplies", ""}));  // date number 0: nothing
    v.SendCommand(CLedgerViewer::kDialCommand);
    ASSERT_EQ(dialled.size(), 1u);
    EXPECT_EQ(dialled[0].kind, "Supplier");
    EXPECT_EQ(dialled[0].name, "Acme Supplies Sue");
}

TEST_F(TransactionViewerTest, NumberMissingFromTheIndexShowsTheNumberOnly)
{
    Open();
    CAuditTrailInvoiceProperties v(page, company.Context(), 999, services);
    v.Create(nullptr);
    EXPECT_EQ(Texts(v, {"number", "type", "name", "outstanding"}),
              QStringList({"999", "", "", "0.00"}));
}

}  // namespace
}  // namespace kelo
