#include "src/viewers/CAuditTrailInvoiceProperties.h"

#include <exception>

#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "host/ui/CKDialler.h"
#include "host/ui/CKMessageBox.h"
#include "src/app/TaskServices.h"
#include "src/pages/scans/AccountDetails.h"
#include "src/pages/scans/AccountsDueScan.h"
#include "src/pages/scans/ModemSettings.h"

namespace kelo {
namespace {

QString money(double value) { return QString::fromStdString(FormatViewerAmount(value)); }
// Record texts are single bytes, shown as Latin-1 like the lists show them.
QString text(const std::string& bytes) { return QString::fromLatin1(bytes.c_str()); }

}  // namespace

CAuditTrailInvoiceProperties::CAuditTrailInvoiceProperties(CReminderPage* page,
                                                           DataContext& context,
                                                           uint32_t transactionNumber,
                                                           TaskServices& services)
    : CLedgerViewer(kDialogId, tr("Transaction Details"), page, services),
      m_context(context),
      m_number(transactionNumber)
{
    auto* accountGroup = new QGroupBox(tr("Account Details"), this);
    auto* account = new QFormLayout(accountGroup);
    AddField(account, tr("A/C"), "account");
    AddField(account, tr("No."), "number");
    AddField(account, tr("Name"), "name");
    AddField(account, tr("Contact"), "contact");
    AddTelephone(account);
    Body()->addWidget(accountGroup);

    auto* transactionGroup = new QGroupBox(tr("Transaction Details"), this);
    auto* transaction = new QFormLayout(transactionGroup);
    AddField(transaction, tr("Type"), "type");
    AddField(transaction, tr("Details"), "details");
    AddField(transaction, tr("Ref"), "ref");
    AddField(transaction, tr("Date"), "date");
    Body()->addWidget(transactionGroup);

    auto* valuesGroup = new QGroupBox(tr("Values"), this);
    auto* values = new QFormLayout(valuesGroup);
    AddField(values, tr("Net"), "net")->setAlignment(Qt::AlignRight);
    AddField(values, tr("Tax"), "tax")->setAlignment(Qt::AlignRight);
    AddField(values, tr("Paid"), "paid")->setAlignment(Qt::AlignRight);
    auto* rule = new QFrame(valuesGroup);
    rule->setObjectName("rule");
    rule->setFrameShape(QFrame::HLine);
    values->addRow(rule);
    QLineEdit* outstanding = AddField(values, QString(), "outstanding");
    outstanding->setAlignment(Qt::AlignRight);
    outstanding->setAccessibleName(tr("Outstanding"));
    // The amount still owed stands out: red on white.
    QPalette palette = outstanding->palette();
    palette.setColor(QPalette::Text, Qt::red);
    palette.setColor(QPalette::Base, Qt::white);
    outstanding->setPalette(palette);
    Body()->addWidget(valuesGroup);
}

bool CAuditTrailInvoiceProperties::OnInitDialog()
{
    if (!CLedgerViewer::OnInitDialog()) return false;
    LoadTransaction();
    return true;
}

void CAuditTrailInvoiceProperties::LoadTransaction()
{
    try {
        m_details = TransactionDetails::Load(m_context, m_number);
    } catch (const std::exception& e) {
        m_details = TransactionDetails{};
        m_details.number = m_number;
        Services().TaskMessageBox(e.what(), MsgKind::Stop);
    }
    const TransactionDetails& t = m_details;
    Field("account")->setText(text(t.accountReference));
    Field("number")->setText(QString::number(t.number));
    Field("name")->setText(text(t.name));
    Field("contact")->setText(text(t.contact));
    Telephone()->setText(text(t.telephone));
    // A number missing from the index shows the number alone.
    Field("type")->setText(t.found ? QString::fromStdString(t.TypeText()) : QString());
    Field("details")->setText(text(t.details));
    Field("ref")->setText(text(t.reference));
    Field("date")->setText(QString::fromStdString(t.DateText()));
    Field("net")->setText(money(t.net));
    Field("tax")->setText(money(t.tax));
    Field("paid")->setText(money(t.paid));
    Field("outstanding")->setText(money(t.outstanding));
    UpdateStepButtons();
    Telephone()->setFocus();
}

void CAuditTrailInvoiceProperties::TakeRow(std::span<const uint8_t> row)
{
    m_number = AccountsDueRowTransaction(row);
    LoadTransaction();
}

void CAuditTrailInvoiceProperties::Dial()
{
    const ModemSettings modem = ModemSettings::Read();
    const QString kind = QString::fromStdString(m_details.DialKind());
    const QString name = Field("name")->text() + QLatin1Char(' ') + Field("contact")->text();
    CKDialler::KCDialNumber(this, Telephone()->text(), kind, name,
                            QString::fromStdString(modem.modem),
                            QString::fromStdString(modem.dialType), QString(), modem.delay);
}

}  // namespace kelo
