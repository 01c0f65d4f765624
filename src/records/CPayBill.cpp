#include "src/records/CPayBill.h"

#include <cstdio>
#include <exception>
#include <string>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "host/data/BankRecord.h"
#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/data/NominalRecord.h"
#include "host/data/SetupRecord.h"
#include "host/data/TaxControlRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/framework/ForeignTrade.h"
#include "host/ui/CKCalcEdit.h"
#include "host/ui/CKDateEdit.h"
#include "host/ui/CKMessageBox.h"
#include "host/ui/CKPopupField.h"
#include "host/util/Dates.h"
#include "host/util/Money.h"
#include "src/app/TaskServices.h"
#include "src/controls/CBankPopupDlg.h"
#include "src/pages/CReminderPage.h"
#include "src/records/CAddBill.h"
#include "src/records/CRecordWrite.h"

namespace kelo {

namespace {

QString Latin(const std::string& s) { return QString::fromLatin1(s.c_str()); }
std::string Bytes(const QString& s) { return s.toLatin1().toStdString(); }

QLabel* Label(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

// Money comparisons of the payment's checks.
constexpr double kTolerance = 0.000000005;

}  // namespace

CPayBill::CPayBill(CReminderPage& page, DataContext& context, uint32_t recNo)
    : CKDialog(kDialogId, nullptr),
      m_services(page.Services()),
      m_context(context),
      m_recNo(recNo),
      m_posting(context, recNo),
      m_bank(new CKPopupField),
      m_bankName(new QLineEdit),
      m_ref(new QLineEdit),
      m_date(new CKDateEdit),
      m_net(new CKCalcEdit),
      m_taxCode(new QComboBox),
      m_vat(new CKCalcEdit),
      m_ok(new QPushButton(QStringLiteral("OK"))),
      m_cancel(new QPushButton(QStringLiteral("Cancel")))
{
    setWindowTitle(QStringLiteral("Bill Payment"));
    const std::pair<QWidget*, const char*> names[] = {
        {m_bank, "Bank"}, {m_bankName, "Bank name"}, {m_ref, "Ref"}, {m_date, "Date"},
        {m_net, "Net"},   {m_taxCode, "Tax Code"},   {m_vat, "Vat"}, {m_ok, "OK"},
        {m_cancel, "Cancel"},
    };
    for (const auto& [widget, name] : names) {
        widget->setObjectName(QString::fromLatin1(name).toLower().remove(QLatin1Char(' ')));
        widget->setAccessibleName(QLatin1String(name));
    }
    m_bank->Edit()->setObjectName(QStringLiteral("bankEdit"));
    m_bank->Edit()->setAccessibleName(QStringLiteral("Bank"));
    m_bankName->setReadOnly(true);
    m_bankName->setFocusPolicy(Qt::NoFocus);
    // Only the button pays; neither button is the default, so Enter never presses one.
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);

    auto* bankBox = new QGroupBox(QStringLiteral("Bank Account"));
    auto* top = new QGridLayout(bankBox);
    top->addWidget(Label(QStringLiteral("&Bank:"), m_bank->Edit()), 0, 0);
    top->addWidget(m_bank, 0, 1);
    top->addWidget(m_bankName, 0, 2);
    top->setColumnStretch(2, 1);

    auto* details = new QGroupBox(QStringLiteral("Payment Details"));
    auto* grid = new QGridLayout(details);
    grid->addWidget(Label(QStringLiteral("&Ref:"), m_ref), 0, 0);
    grid->addWidget(m_ref, 0, 1);
    grid->addWidget(Label(QStringLiteral("&Date:"), m_date), 0, 2);
    grid->addWidget(m_date, 0, 3);
    grid->addWidget(Label(QStringLiteral("&Net:"), m_net), 1, 0);
    grid->addWidget(m_net, 1, 1);
    grid->addWidget(Label(QStringLiteral("&Tax Code:"), m_taxCode), 2, 0);
    grid->addWidget(m_taxCode, 2, 1);
    grid->addWidget(Label(QStringLiteral("&Vat:"), m_vat), 3, 0);
    grid->addWidget(m_vat, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    connect(m_ok, &QPushButton::clicked, this, [this] { PayBill(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { SendCommand(IDCANCEL); });
    connect(m_bank, &CKPopupField::buttonClicked, this, [this] { OpenBankLookup(); });
    connect(m_bank, &CKPopupField::textChosen, this, [this] { LookUpBank(false); });
    connect(m_taxCode, &QComboBox::currentIndexChanged, this, [this] {
        if (m_ready) CalculateTax();
    });
    for (QWidget* w : {static_cast<QWidget*>(m_bank->Edit()), static_cast<QWidget*>(m_net),
                       static_cast<QWidget*>(m_date)})
        w->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bankBox);
    layout->addWidget(details);
    layout->addWidget(buttons);
    QWidget* order[] = {m_bank->Edit(), m_ref, m_date, m_net, m_taxCode, m_vat, m_ok, m_cancel};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
    resize(460, 260);
}

CPayBill::~CPayBill() = default;

CFixedPopup* CPayBill::Lookup() const { return m_lookup; }

bool CPayBill::OnInitDialog()
{
    SetHelpProperty(this, kDialogId);
    if (m_recNo == 0) return false;
    try {
        if (!ReadSettings() || !m_posting.Read()) return false;
    } catch (const std::exception& e) {
        m_services.TaskMessageBox(e.what(), MsgKind::Stop);
        return false;
    }
    for (int code = 0; code < int(kTaxCodeCount); ++code)
        m_taxCode->addItem(CAddBill::TaxCodeText(code, TaxRate(m_taxControl.data(), code)));
    m_date->Setup(3, 1970);
    m_ref->setMaxLength(kRefLimit);
    m_bank->SetLimit(kBankLimit);
    ShowOutstanding();
    m_date->SetDate(m_services.GetProgramDateChecked());
    m_bank->SetTextQuietly(QString());
    m_bankName->clear();

    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    m_bank->Edit()->setFocus();
    m_ready = true;
    return true;
}

bool CPayBill::ReadSettings()
{
    CDDataResourceManager manager(m_context);
    manager.GetResources().AddDataFile(kFileTaxControl);
    manager.ObtainResources();
    m_taxControl.assign(kTaxControlLength, 0);
    const bool read = ReadRec(manager.Context().File(kFileTaxControl), 1, m_taxControl.data()) != 0;
    manager.ReleaseResources();
    return read;
}

void CPayBill::ShowOutstanding()
{
    const uint8_t* bill = m_posting.Bill().data();
    const bool ready = m_ready;
    m_ready = false;
    m_ref->setText(Latin(GetText(bill, kBillReference)).left(kRefLimit));
    const int code = GetI16(bill, kBillTaxCode);
    m_taxCode->setCurrentIndex(code >= 0 && code < int(kTaxCodeCount) ? code : 0);
    // The outstanding amounts as they stand, not rounded.
    m_net->SetValue(GetF64(bill, kBillNetAmount) - GetF64(bill, kBillNetPaid));
    m_vat->SetValue(GetF64(bill, kBillTaxAmount) - GetF64(bill, kBillTaxPaid));
    m_ready = ready;
}

void CPayBill::OnDestroy()
{
    if (m_lookup) m_lookup->DestroyWindow();
    RemoveHelpProperty(this);
}

void CPayBill::CalculateTax()
{
    m_vat->SetValue(
        CAddBill::TaxOn(m_net->Value(), TaxRate(m_taxControl.data(), m_taxCode->currentIndex())));
}

void CPayBill::OpenBankLookup()
{
    if (m_lookup) return;
    auto* lookup = new CBankPopupDlg(m_bank, m_context);
    m_lookup = lookup;
    if (!lookup->CreatePopup(m_bank, m_bank)) m_lookup = nullptr;
}

void CPayBill::LookUpBank(bool openLookup)
{
    m_bank->SetModified(false);
    const std::string code = Bytes(m_bank->Text().trimmed());
    std::vector<uint8_t> bank(kBankLength, 0), nominal(kNominalLength, 0);
    if (!code.empty() && FlashFindAccount(m_context, kLedgerBank, code.c_str(), bank.data(), 0)) {
        if (ForeignTraderEnabled(m_services.Block()) && !IsBaseCurrency(GetU8(bank.data(), kBankCurrency))) {
            m_bank->SetTextQuietly(QString());
            m_bankName->clear();
            m_bank->Edit()->setFocus();
            m_services.TaskMessageBoxId(61278, MsgKind::Stop);
            return;
        }
        FlashFindAccount(m_context, kLedgerNominal, code.c_str(), nominal.data(), 0);
        m_bankName->setText(Latin(GetText(nominal.data(), kNominalName)));
        return;
    }
    m_bankName->clear();
    if (openLookup && !code.empty()) {
        // Opened once the focus has settled, so the click or key that left the field ends first.
        QTimer::singleShot(0, this, [this] {
            if (!IsDestroyed() && isVisible() && !m_paying) OpenBankLookup();
        });
    }
}

void CPayBill::CheckDate()
{
    m_date->SetChanged(false);
    if (m_date->GetDate() != 0) return;
    m_date->setFocus();
    m_services.TaskMessageBoxId(61257, 16);
    m_date->SetDate(m_services.GetProgramDateChecked());
}

bool CPayBill::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::FocusOut || m_paying || !m_ready)
        return CKDialog::eventFilter(watched, event);
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Focus lost to a popup or another window is not leaving the field.
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return CKDialog::eventFilter(watched, event);
    if (watched == m_bank->Edit() && m_bank->IsModified()) {
        LookUpBank(QApplication::focusWidget() != m_cancel);
    } else if (watched == m_net) {
        CalculateTax();
    } else if (watched == m_date && m_date->IsChanged()) {
        CheckDate();
    }
    return CKDialog::eventFilter(watched, event);
}

bool CPayBill::Refuse(int stringId, QWidget* focus, int kind)
{
    focus->setFocus();
    m_services.TaskMessageBoxId(stringId, kind);
    return false;
}

bool CPayBill::RunChecks(const std::vector<uint8_t>& setup)
{
    const std::string code = Bytes(m_bank->Text()).substr(0, kBankLimit);
    if (Bytes(m_bank->Text().trimmed()).empty()) return Refuse(61219, m_bank->Edit());
    std::vector<uint8_t> bank(kBankLength, 0);
    if (!FlashFindAccount(m_context, kLedgerBank, code.c_str(), bank.data(), 0))
        return Refuse(61233, m_bank->Edit());
    if (ForeignTraderEnabled(m_services.Block()) && !IsBaseCurrency(GetU8(bank.data(), kBankCurrency))) {
        m_bank->SetTextQuietly(QString());
        m_bankName->clear();
        return Refuse(61278, m_bank->Edit(), MsgKind::Stop);
    }
    const uint16_t date = m_date->GetDate();
    if (date == 0) return Refuse(61257, m_date);
    if (IsDateOutsideFYear(date, GetU16(setup.data(), kSetupFinancialYearStart))) {
        m_date->setFocus();
        if (m_services.TaskMessageBoxId(61245, MsgKind::YesNo) != int(MsgAnswer::Yes)) return false;
    }
    const double net = m_net->Value();
    const double vat = m_vat->Value();
    if (Round(vat + net, 2) <= kTolerance) return Refuse(61222, m_net);

    const uint8_t* bill = m_posting.Bill().data();
    char text[256];
    const double outstandingNet = Round(GetF64(bill, kBillNetAmount) - GetF64(bill, kBillNetPaid), 2);
    if (Round(outstandingNet - net, 2) < -kTolerance) {
        std::snprintf(text, sizeof text, kNetTooMuch, net, outstandingNet);
        m_net->setFocus();
        m_services.TaskMessageBox(text, MsgKind::Exclamation);
        return false;
    }
    const double outstandingTax = Round(GetF64(bill, kBillTaxAmount) - GetF64(bill, kBillTaxPaid), 2);
    if (Round(outstandingTax - vat, 2) < -kTolerance) {
        std::snprintf(text, sizeof text, kVatTooMuch, vat, outstandingTax);
        m_vat->setFocus();
        m_services.TaskMessageBox(text, MsgKind::Exclamation);
        return false;
    }
    return true;
}

BillPaymentEntry CPayBill::Entry() const
{
    BillPaymentEntry e;
    e.bank = Bytes(m_bank->Text().trimmed()).substr(0, kBankLimit);
    e.reference = Bytes(m_ref->text()).substr(0, kRefLimit);
    e.date = m_date->GetDate();
    e.net = m_net->Value();
    e.vat = m_vat->Value();
    e.taxCode = m_taxCode->currentIndex();
    return e;
}

bool CPayBill::PayBill()
{
    if (m_paying || !m_ready) return false;
    m_paying = true;
    bool paid = false;
    try {
        std::vector<uint8_t> setup(kSetupLength, 0);
        bool haveSetup;
        {
            CDDataResourceManager manager(m_context);
            manager.GetResources().AddDataFile(kFileSetup);
            manager.ObtainResources();
            haveSetup = ReadRec(manager.Context().File(kFileSetup), 1, setup.data()) != 0;
            manager.ReleaseResources();
        }
        if (haveSetup && RunChecks(setup)) paid = Post();
    } catch (const std::exception& e) {
        m_services.TaskMessageBox(e.what(), MsgKind::Stop);
    }
    m_paying = false;
    if (paid) EndDialog(IDOK);
    return paid;
}

bool CPayBill::Post()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CPayBillPosting::Outcome outcome;
    try {
        outcome = m_posting.Pay(Entry(), m_services.CurrentUserName(), &m_transaction);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
    switch (outcome) {
    case CPayBillPosting::Outcome::Posted: return true;
    case CPayBillPosting::Outcome::Refused:
        m_services.TaskMessageBox(kRefusedText, MsgKind::Stop);
        return false;
    case CPayBillPosting::Outcome::Locked:
        m_services.TaskMessageBoxId(CRecordWrite::kLockedByOther, MsgKind::Exclamation);
        return false;
    case CPayBillPosting::Outcome::Gone:
        m_changedElsewhere = true;
        m_services.TaskMessageBoxId(CRecordWrite::kDeletedOnDelete, MsgKind::Exclamation);
        EndDialog(IDCANCEL);
        return false;
    case CPayBillPosting::Outcome::Changed:
        m_changedElsewhere = true;
        if (m_services.TaskMessageBox(kChangedText, MsgKind::YesNo) == int(MsgAnswer::Yes)) {
            ShowOutstanding();
            m_net->setFocus();
        } else {
            EndDialog(IDCANCEL);
        }
        return false;
    }
    return false;
}

}  // namespace kelo
