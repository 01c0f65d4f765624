#include "host/program/ReminderDialog.h"

#include <exception>
#include <vector>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include "host/data/AccountRecord.h"
#include "host/data/FileMap.h"
#include "host/file/RecordFile.h"
#include "host/framework/PhoneCallReminders.h"
#include "host/ui/CKDataChange.h"
#include "host/ui/CKDateEdit.h"
#include "host/ui/CKMessageBox.h"
#include "host/util/ProgramDate.h"

namespace kelo::host {

namespace {

constexpr int kNoteLimit = 60;
const QString kTitle = QStringLiteral("New Phone Call Reminder");

}  // namespace

ReminderDialog::ReminderDialog(DataContext& context, std::string user, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_user(std::move(user)),
      m_ledger(new QComboBox),
      m_account(new QComboBox),
      m_date(new CKDateEdit),
      m_note(new QLineEdit)
{
    setWindowTitle(kTitle);
    m_ledger->addItem(QStringLiteral("Customer"), kLedgerSales);
    m_ledger->addItem(QStringLiteral("Supplier"), kLedgerPurchases);
    m_ledger->setAccessibleName(QStringLiteral("Account type"));
    m_account->setAccessibleName(QStringLiteral("Account"));
    m_account->setMinimumContentsLength(30);
    m_date->Setup(3, 1970);
    m_date->SetDate(GetProgramDate());
    m_date->setAccessibleName(QStringLiteral("Date due"));
    m_note->setMaxLength(kNoteLimit);
    m_note->setAccessibleName(QStringLiteral("Note"));

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Account &type:"), m_ledger);
    form->addRow(QStringLiteral("&Account:"), m_account);
    form->addRow(QStringLiteral("Date &due:"), m_date);
    form->addRow(QStringLiteral("&Note:"), m_note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &ReminderDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ledger, &QComboBox::currentIndexChanged, this, [this] { FillAccounts(); });
    FillAccounts();
}

void ReminderDialog::FillAccounts()
{
    m_account->clear();
    const int ledger = m_ledger->currentData().toInt();
    try {
        DataFile file = m_context.File(ledger == kLedgerSales ? kFileCustomers : kFileSuppliers);
        std::vector<uint8_t> rec(kAccountLength);
        const uint32_t count = RecCount(file);
        for (uint32_t n = 1; n <= count; ++n) {
            if (ReadRec(file, n, rec.data()) == 0 || rec[0] == 0xFF) continue;
            const std::string code = GetText(rec.data(), kAccountReference);
            if (code.empty()) continue;
            m_account->addItem(QString::fromLatin1(code.c_str()) + QStringLiteral("  ") +
                                   QString::fromLatin1(GetText(rec.data(), kAccountName).c_str()),
                               QString::fromLatin1(code.c_str()));
        }
    } catch (const std::exception& e) {
        CKMessageBox::Show(this, QString::fromLocal8Bit(e.what()), MsgKind::Stop, kTitle);
    }
}

void ReminderDialog::accept()
{
    if (m_account->currentIndex() < 0) {
        CKMessageBox::Show(this, QStringLiteral("Please choose the account to ring."),
                           MsgKind::Exclamation, kTitle);
        m_account->setFocus();
        return;
    }
    if (m_date->GetDate() == 0) {
        CKMessageBox::Show(this, QStringLiteral("Please enter the date the call is due."),
                           MsgKind::Exclamation, kTitle);
        m_date->setFocus();
        return;
    }
    try {
        m_recNo = AddPhoneCallReminder(m_context, m_user, m_ledger->currentData().toInt(),
                                       m_account->currentData().toString().toLatin1().toStdString(),
                                       m_date->GetDate(), m_note->text().toLatin1().toStdString());
    } catch (const std::exception& e) {
        CKMessageBox::Show(this, QString::fromLocal8Bit(e.what()), MsgKind::Stop, kTitle);
        return;
    }
    // A write of this process is not announced by the change service; the host says so itself.
    NotifyDataChanged(m_context);
    QDialog::accept();
}

}  // namespace kelo::host
