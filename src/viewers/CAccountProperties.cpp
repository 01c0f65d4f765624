#include "src/viewers/CAccountProperties.h"

#include <exception>

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "host/file/RecordFile.h"
#include "host/ui/CKDialler.h"
#include "host/ui/CKMessageBox.h"
#include "src/app/TaskServices.h"
#include "src/pages/scans/AccountStatusScan.h"

namespace kelo {
namespace {

// Field names of the six shown aged values, buckets 1 to 6.
const char* const kAgedNames[] = {"future", "current", "period1", "period2", "period3", "older"};
// Record texts are single bytes, shown as Latin-1 like the lists show them.
QString text(const std::string& bytes) { return QString::fromLatin1(bytes.c_str()); }

const char* const kAgedLabels[] = {"Future", "Current", "Period 1", "Period 2", "Period 3", "Older"};

}  // namespace

CAccountProperties::CAccountProperties(CReminderPage* page, DataContext& context, uint32_t recNo,
                                       int ledger, TaskServices& services)
    : CLedgerViewer(kDialogId, tr("Account Details"), page, services),
      m_context(context),
      m_recNo(recNo),
      m_ledger(ledger)
{
    auto* account = new QFormLayout;
    AddField(account, tr("A/C"), "account");
    AddField(account, tr("Name"), "name");
    AddField(account, tr("Contact"), "contact");
    AddTelephone(account);
    Body()->addLayout(account);

    auto* group = new QGroupBox(tr("Aged Analysis"), this);
    auto* aged = new QFormLayout(group);
    for (int i = 0; i < 6; ++i)
        AddField(aged, tr(kAgedLabels[i]), kAgedNames[i])->setAlignment(Qt::AlignRight);
    m_noFigures = new QLabel(tr("** No aged analysis figures available. **"), group);
    m_noFigures->setObjectName("noFigures");
    aged->addRow(m_noFigures);
    m_agedGroup = group;
    Body()->addWidget(group);
}

bool CAccountProperties::OnInitDialog()
{
    if (!CLedgerViewer::OnInitDialog()) return false;
    LoadAccount();
    Services().GetProgramDateChecked();
    return true;
}

void CAccountProperties::LoadAccount()
{
    const uint16_t programDate = Services().GetProgramDateChecked();
    try {
        m_details = AccountDetails::Load(m_context, m_recNo, m_ledger,
                                         AgingSettingsOf(Services().Block(), m_ledger),
                                         programDate);
    } catch (const std::exception& e) {
        m_details = AccountDetails{};
        Services().TaskMessageBox(e.what(), MsgKind::Stop);
    }
    UpdateStepButtons();

    m_noFigures->hide();
    for (const char* name : kAgedNames) Field(name)->setVisible(true);
    Telephone()->setFocus();
    Field("account")->setText(text(m_details.reference));
    Field("name")->setText(text(m_details.name));
    Field("contact")->setText(text(m_details.contact));
    Telephone()->setText(text(m_details.telephone));
    for (int i = 0; i < 6; ++i)
        Field(kAgedNames[i])->setText(QString::fromStdString(FormatViewerAmount(m_details.aged[i + 1])));
    Telephone()->setFocus();
}

void CAccountProperties::TakeRow(std::span<const uint8_t> row)
{
    m_recNo = AccountStatusRowRecord(row);
    LoadAccount();
}

void CAccountProperties::Dial()
{
    const QString kind = m_ledger == kLedgerPurchases ? QStringLiteral("Supplier")
                                                      : QStringLiteral("Customer");
    CKDialler::KCDialNumber(this, Telephone()->text(), kind, Field("contact")->text(), QString(),
                            QString(), QString(), 30);
}

}  // namespace kelo
