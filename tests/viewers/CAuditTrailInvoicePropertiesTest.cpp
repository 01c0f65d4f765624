// The Transaction Details viewer: the outstanding amount in red on white, and dialling with the
// modem settings as they are at each dial (its fields and steps are checked end to end).

#include "src/viewers/CAuditTrailInvoiceProperties.h"

#include <QLineEdit>
#include <QTemporaryDir>

#include "tests/pages/PageFixture.h"
#include "host/util/Settings.h"
#include "src/pages/CReminderAuditTrail.h"

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

private:
    QTemporaryDir m_settings;
};

TEST_F(TransactionViewerTest, OutstandingInRedAndDialsWithTheModemSettingsOfTheMoment)
{
    Add(kLedgerSales, 7, "ACME", "Acme Ltd", "Ann");
    Add(kLedgerSales, 8, "SOLO", "Solo", "");
    Add(kLedgerPurchases, 60, "SUPP", "Acme Supplies", "Sue");
    auto v = View(7);
    EXPECT_EQ(v->windowTitle(), "Transaction Details");
    EXPECT_EQ(Texts(*v, {"type", "outstanding"}), QStringList({"Sales Invoice", "67.50"}));
    EXPECT_EQ(v->Field("outstanding")->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(v->Field("outstanding")->palette().color(QPalette::Base), QColor(Qt::white));
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
    View(8)->SendCommand(CLedgerViewer::kDialCommand);
    ASSERT_EQ(dialled.size(), 2u);
    EXPECT_EQ(dialled[1].name, "Solo ");  // an empty contact still gets its space
    EXPECT_EQ(dialled[1].modemPort, "COM3");
    EXPECT_EQ(dialled[1].dialPrefix, "ATDP");
    EXPECT_EQ(dialled[1].delay, 12);

    View(60)->SendCommand(CLedgerViewer::kDialCommand);
    ASSERT_EQ(dialled.size(), 3u);
    EXPECT_EQ(dialled[2].kind, "Supplier");
    EXPECT_EQ(dialled[2].name, "Acme Supplies Sue");
}

}  // namespace
}  // namespace kelo
