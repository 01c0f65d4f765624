// The ledger viewers where they add to what their details hold: the Transaction Details viewer
// shows the outstanding amount in red on white and dials with the modem settings as they are at
// each dial; the Recurring Entry Properties viewer reports a finish date too far ahead each time
// it is shown. Their fields, steps and buttons are checked end to end, and the details they show
// with their rules.

#include <QLineEdit>
#include <QTemporaryDir>

#include "host/ui/CKListView.h"
#include "host/ui/CKScriptedAnswerer.h"
#include "host/util/Settings.h"
#include "src/pages/CReminderAuditTrail.h"
#include "src/pages/CReminderRecurring.h"
#include "src/viewers/CAuditTrailInvoiceProperties.h"
#include "src/viewers/CRecurringEntryProperties.h"
#include "tests/pages/PageFixture.h"
#include "tests/pages/scans/RecurringBuilder.h"

namespace kelo {
namespace {

// Without a page: a viewer shows the transaction it is given.
class TransactionViewerTest : public test::PageFixture<CReminderAuditTrail> {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        SetINIFolder(m_settings.path());
    }
    void TearDown() override
    {
        SetINIFolder(QString());
        PageFixture::TearDown();
    }
    // Transaction `number` on a new account of `ledger`.
    void Add(int ledger, uint32_t number, const char* code, const char* name, const char* contact)
    {
        const uint32_t account = build.AddAccount(ledger, {.code = code, .name = name,
                                                           .contact = contact, .telephone = "0123"});
        build.AddHeader(ledger, account, {.type = uint8_t(ledger == kLedgerSales ? 1 : 6),
                                          .account = code, .net = 100.0, .tax = 17.5,
                                          .paid = 50.0, .transaction = number});
    }
    std::unique_ptr<CAuditTrailInvoiceProperties> View(uint32_t number)
    {
        auto v = std::make_unique<CAuditTrailInvoiceProperties>(nullptr, company.Context(), number,
                                                                 services);
        v->Create(nullptr);
        return v;
    }
    // What the dialler was asked for when the viewer on transaction `number` dialled.
    QString Dial(uint32_t number)
    {
        View(number)->SendCommand(CLedgerViewer::kDialCommand);
        if (dialled.empty()) return {};
        const CKDialler::Request& r = dialled.back();
        return QStringList{r.kind, r.name, r.number, r.modemPort, r.dialPrefix,
                           QString::number(r.delay)}.join('|');
    }

private:
    QTemporaryDir m_settings;
};

TEST_F(TransactionViewerTest, OutstandingInRedAndDialsWithTheModemSettingsOfTheMoment)
{
    Add(kLedgerSales, 7, "ACME", "Acme Ltd", "Ann");
    Add(kLedgerPurchases, 60, "SOLO", "Solo", "");
    auto v = View(7);
    EXPECT_EQ(v->Field("outstanding")->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(v->Field("outstanding")->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(Dial(7), "Customer|Acme Ltd Ann|0123|COM1|ATDT|30");

    WriteINIString(GetINI(0), "Modem", "Modem", "COM3");
    WriteINIString(GetINI(0), "Modem", "DialType", "ATDP");
    WriteINIInt(GetINI(0), "Modem", "Delay", 12);
    // An empty contact still gets its space.
    EXPECT_EQ(Dial(60), "Supplier|Solo |0123|COM3|ATDP|12");
}

using RecurringViewerTest = test::PageFixture<CReminderRecurring>;

TEST_F(RecurringViewerTest, InfiniteFinishIsReportedOnceEachTimeItIsShown)
{
    test::RecurringBuilder rec{company.Context()};
    rec.Add({.kind = 4, .interval = 6, .unit = 2, .start = DateStringToNumber("05/06/2079"),
             .total = 32767});
    rec.Add({.kind = 4, .interval = 1, .unit = 1, .start = DateStringToNumber("01/03/2027"),
             .total = 3});
    Open();
    ChooseCategory(2);  // "Debits"
    page->List()->SelectRow(0);
    CKScriptedAnswerer answers;
    CRecurringEntryProperties v(page, company.Context(), 1, services);
    v.Create(nullptr);
    EXPECT_EQ(v.Field("finish")->text(), "Infinite");
    ASSERT_EQ(answers.Count(), 1);
    EXPECT_EQ(answers.Messages()[0].text,
              "The projected finish date for this recurring entry is too far into the future "
              "(i.e. beyond 31/12/9999),\nand cannot be displayed.");
    EXPECT_EQ(answers.Messages()[0].kind, MsgKind::Exclamation);
    v.StepTo(RowStepper::Step::Next);
    EXPECT_EQ(v.Field("finish")->text(), "15/03/2027");
    EXPECT_EQ(answers.Count(), 1);
    v.StepTo(RowStepper::Step::First);
    EXPECT_EQ(answers.Count(), 2);
}

}  // namespace
}  // namespace kelo
