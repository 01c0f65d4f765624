#include "src/records/CAddBill.h"

#include <cstdio>
#include <exception>

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

#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/data/GlobalBlock.h"
#include "host/data/NominalRecord.h"
#include "host/data/SetupRecord.h"
#include "host/data/TaxControlRecord.h"
#include "host/file/FileError.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKCalcEdit.h"
#include "host/ui/CKDateEdit.h"
#include "host/ui/CKMessageBox.h"
#include "host/ui/CKPopupField.h"
#include "host/util/Dates.h"
#include "host/util/Money.h"
#include "host/util/Text.h"
#include "src/app/TaskServices.h"
#include "src/controls/AttachIntelliPopup.h"
#include "src/controls/CIntelliPopupImpl.h"
#include "src/controls/CNominalPopupDlg.h"
#include "src/pages/CReminderBills.h"
#include "src/pages/scans/BillScan.h"

namespace kelo {

namespace {

constexpr int kAnswerYes = static_cast<int>(MsgAnswer::Yes);
// TaskMessageBoxId kind of a plain box with only OK.
constexpr int kPlainBox = 16;
constexpr size_t kCodeWidth = 9;

QString Latin(const std::string& s) { return QString::fromLatin1(s.c_str()); }
std::string Bytes(const QString& s) { return s.toLatin1().toStdString(); }

QLabel* Label(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

QString Amount(double value) { return QString::number(NormaliseZero(value), 'f', 2); }

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

QString CAddBill::TaxCodeText(int code, double rate)
{
    char text[32];
    std::snprintf(text, sizeof text, "T%2d   %2.2f", code, rate);
    return QString::fromLatin1(text);
}

double CAddBill::TaxOn(double net, double rate)
{
    if (net == 0.0) return 0.0;
    return Round(rate / 100.0 * net, 2);
}

CAddBill::CAddBill(CReminderBills& page, DataContext& context, uint32_t recNo)
    : CKDialog(kDialogId, nullptr),
      m_page(page),
      m_services(page.Services()),
      m_context(context),
      m_recNo(recNo),
      m_rec(kBillLength, 0),
      m_taxControl(kTaxControlLength, 0),
      m_setup(kSetupLength, 0),
      m_write(page.Services(), CBBill::GetStaticResourcesFor(kResourceSave), kFileBills,
              BillReader(m_identity)),
      m_payTo(new CKPopupField),
      m_payToName(new QLineEdit),
      m_details(new QLineEdit),
      m_ref(new QLineEdit),
      m_net(new CKCalcEdit),
      m_taxCode(new QComboBox),
      m_vat(new CKCalcEdit),
      m_billDate(new CKDateEdit),
      m_dueDate(new CKDateEdit),
      m_amountPaid(new QLineEdit),
      m_datePaid(new QLineEdit),
      m_outstanding(new QLineEdit),
      m_ok(new QPushButton(QStringLiteral("OK"))),
      m_cancel(new QPushButton(QStringLiteral("Cancel"))),
      m_payToPopup(new CIntelliPopupImpl(page.Services().Block(), this)),
      m_detailsPopup(new CIntelliPopupImpl(page.Services().Block(), this))
{
    setWindowTitle(QStringLiteral("Bill Record"));
    BuildLayout();

    m_payToName->setReadOnly(true);
    m_payToName->setFocusPolicy(Qt::NoFocus);
    for (QLineEdit* shown : {m_amountPaid, m_datePaid, m_outstanding}) {
        shown->setEnabled(false);
        shown->setAlignment(Qt::AlignRight);
    }
    // Only the button saves; neither button is the default, so Enter never presses one.
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, [this] { SaveBill(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { SendCommand(IDCANCEL); });
    connect(m_payTo, &CKPopupField::buttonClicked, this, [this] { OpenLookup(); });
    connect(m_payTo, &CKPopupField::textChosen, this, [this] {
        // A choice in the lookup, validated as on leaving the field.
        ValidatePayTo(true);
    });
    connect(m_taxCode, &QComboBox::activated, this, [this] { CalculateTax(); });
    for (QWidget* w : {static_cast<QWidget*>(m_payTo->Edit()), static_cast<QWidget*>(m_net),
                       static_cast<QWidget*>(m_billDate), static_cast<QWidget*>(m_dueDate)})
        w->installEventFilter(this);
}

CAddBill::~CAddBill() = default;

CFixedPopup* CAddBill::Lookup() const { return m_lookup; }

void CAddBill::BuildLayout()
{
    const std::pair<QWidget*, const char*> names[] = {
        {m_payTo, "payTo"},        {m_payToName, "payToName"},   {m_details, "details"},
        {m_ref, "ref"},            {m_net, "net"},               {m_taxCode, "taxCode"},
        {m_vat, "vat"},            {m_billDate, "billDate"},     {m_dueDate, "dueDate"},
        {m_amountPaid, "amountPaid"}, {m_datePaid, "datePaid"},  {m_outstanding, "outstanding"},
        {m_ok, "ok"},              {m_cancel, "cancel"},
    };
    for (const auto& [widget, name] : names) widget->setObjectName(QLatin1String(name));
    m_payTo->Edit()->setObjectName(QStringLiteral("payToEdit"));
    m_payTo->Edit()->setAccessibleName(QStringLiteral("Pay To:"));

    auto* nominal = new QGroupBox(QStringLiteral("Nominal/Category Details"));
    auto* top = new QGridLayout(nominal);
    top->addWidget(Label(QStringLiteral("&Pay To:"), m_payTo), 0, 0);
    top->addWidget(m_payTo, 0, 1);
    top->addWidget(m_payToName, 0, 2);
    top->setColumnStretch(2, 1);

    auto* details = new QGroupBox(QStringLiteral("Details"));
    auto* grid = new QGridLayout(details);
    grid->addWidget(Label(QStringLiteral("&Details:"), m_details), 0, 0);
    grid->addWidget(m_details, 0, 1, 1, 3);
    grid->addWidget(Label(QStringLiteral("&Ref:"), m_ref), 1, 0);
    grid->addWidget(m_ref, 1, 1);
    grid->addWidget(Label(QStringLiteral("&Net:"), m_net), 2, 0);
    grid->addWidget(m_net, 2, 1);
    grid->addWidget(Label(QStringLiteral("&Tax Code:"), m_taxCode), 3, 0);
    grid->addWidget(m_taxCode, 3, 1);
    grid->addWidget(Label(QStringLiteral("&Vat:"), m_vat), 4, 0);
    grid->addWidget(m_vat, 4, 1);
    grid->addWidget(Label(QStringLiteral("&Bill date:"), m_billDate), 2, 2);
    grid->addWidget(m_billDate, 2, 3);
    grid->addWidget(Label(QStringLiteral("D&ue date:"), m_dueDate), 3, 2);
    grid->addWidget(m_dueDate, 3, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* payment = new QGroupBox(QStringLiteral("Payment Details"));
    auto* paid = new QGridLayout(payment);
    paid->addWidget(new QLabel(QStringLiteral("Amount paid:")), 0, 0);
    paid->addWidget(m_amountPaid, 0, 1);
    paid->addWidget(new QLabel(QStringLiteral("Date paid:")), 0, 2);
    paid->addWidget(m_datePaid, 0, 3);
    paid->addWidget(new QLabel(QStringLiteral("Outstanding:")), 1, 0);
    paid->addWidget(m_outstanding, 1, 1);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nominal);
    layout->addWidget(details);
    layout->addWidget(payment);
    layout->addWidget(buttons);
    QWidget* order[] = {m_payTo->Edit(), m_details, m_ref,     m_net, m_taxCode,
                        m_vat,           m_billDate, m_dueDate, m_ok,  m_cancel};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
    resize(520, 400);
}

bool CAddBill::OnInitDialog()
{
    SetHelpProperty(this, kDialogId);
    try {
        ReadSettings();
        if (m_recNo != 0) ReadBill();
    } catch (const std::exception& e) {
        m_services.TaskMessageBox(e.what(), MsgKind::Stop);
        return false;
    }
    for (int code = 0; code < static_cast<int>(kTaxCodeCount); ++code)
        m_taxCode->addItem(TaxCodeText(code, RateOf(code)));
    m_billDate->Setup(3, 1970);
    m_dueDate->Setup(3, 1970);
    if (m_recNo == 0) {
        const uint16_t today = m_services.GetProgramDateChecked();
        SetI16(m_rec.data(), kBillTaxCode, GetI16(m_setup.data(), kSetupDefaultTaxCode));
        SetU16(m_rec.data(), kBillDate, today);
        SetU16(m_rec.data(), kBillDueDate, today);
    }
    ShowBill();

    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    m_payTo->SetLimit(kPayToLimit);
    m_details->setMaxLength(kDetailsLimit);
    m_ref->setMaxLength(kRefLimit);
    if (const GlobalBlock block = m_services.Block(); block.Exists() && block.AutoComplete()) {
        AttachIntelliPopup(*m_payToPopup, m_payTo, kIntelliNominal, 0, IntelliHistorySource());
        AttachIntelliPopup(*m_detailsPopup, m_details, kIntelliHistory, 0, kHistoryKey);
    }
    m_payTo->setFocus();
    return true;
}

void CAddBill::ReadSettings()
{
    // A company without these records still opens the dialog, with rates of 0 and no default.
    ReadRec(m_context.File(kFileTaxControl), 1, m_taxControl.data());
    ReadRec(m_context.File(kFileSetup), 1, m_setup.data());
}

void CAddBill::ReadBill()
{
    CDDataResourceManager manager(m_context);
    manager.GetResources().Add(CBBill::GetStaticResourcesFor(kResourceRead));
    manager.ObtainResources();
    m_identity = m_write.HoldAsRead(manager.Context(), m_recNo);
    manager.ReleaseResources();
    if (m_identity.empty()) throw FileError("bill " + std::to_string(m_recNo) + " is not in the bill file");
    m_rec = m_identity;
}

void CAddBill::ShowBill()
{
    const uint8_t* rec = m_rec.data();
    const std::string code = GetText(rec, kBillPayTo);
    m_payTo->SetTextQuietly(Latin(code));
    if (m_recNo != 0 && !code.empty()) {
        std::vector<uint8_t> nominal(kNominalLength, 0);
        const std::string key = FillUp(code, kCodeWidth);
        if (FlashFindAccount(m_context, kLedgerNominal, key.c_str(), nominal.data(), 0) != 0)
            m_payToName->setText(Latin(GetText(nominal.data(), kNominalName)));
    }
    m_details->setText(Latin(GetText(rec, kBillDetails)));
    m_ref->setText(Latin(GetText(rec, kBillReference)));
    m_net->SetValue(GetF64(rec, kBillNetAmount));
    m_vat->SetValue(GetF64(rec, kBillTaxAmount));
    const int code16 = GetI16(rec, kBillTaxCode);
    m_taxCode->setCurrentIndex(code16 >= 0 && code16 < m_taxCode->count() ? code16 : 0);
    m_billDate->SetDate(GetU16(rec, kBillDate));
    m_dueDate->SetDate(GetU16(rec, kBillDueDate));
    m_datePaid->setText(Latin(DateNumberToFullString(GetU16(rec, kBillDatePaid))));
    m_amountPaid->setText(Amount(BillAmountPaid(rec)));
    m_outstanding->setText(Amount(BillOutstanding(rec)));
}

double CAddBill::RateOf(int code) const { return TaxRate(m_taxControl.data(), code); }

void CAddBill::CalculateTax()
{
    m_vat->SetValue(TaxOn(m_net->Value(), RateOf(m_taxCode->currentIndex())));
}

void CAddBill::OpenLookup()
{
    if (m_lookup) return;
    auto* lookup = new CNominalPopupDlg(m_payTo, m_context);
    m_lookup = lookup;
    if (!lookup->CreatePopup(m_payTo, m_payTo)) m_lookup = nullptr;
}

bool CAddBill::ValidatePayTo(bool clearCode)
{
    m_payTo->SetModified(false);
    const std::string code = Bytes(m_payTo->Text().trimmed());
    std::vector<uint8_t> nominal(kNominalLength, 0);
    bool found = false;
    if (!code.empty()) {
        const std::string key = FillUp(code, kCodeWidth);
        try {
            found = FlashFindAccount(m_context, kLedgerNominal, key.c_str(), nominal.data(), 0) != 0;
        } catch (const std::exception& e) {
            m_services.TaskMessageBox(e.what(), MsgKind::Stop);
        }
    }
    if (found) {
        m_payTo->SetTextQuietly(Latin(GetText(nominal.data(), kNominalCode)));
        m_payToName->setText(Latin(GetText(nominal.data(), kNominalName)));
        return true;
    }
    m_payToName->clear();
    if (clearCode) m_payTo->SetTextQuietly(QString());
    return false;
}

bool CAddBill::event(QEvent* event)
{
    // Back in the dialog (from the lookup or another window): a code that is not an account goes.
    if (event->type() == QEvent::WindowActivate && !m_lookup && isVisible() &&
        !m_payTo->Text().trimmed().isEmpty() && !m_saving)
        ValidatePayTo(true);
    return CKDialog::event(event);
}

bool CAddBill::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::FocusOut || m_saving)
        return CKDialog::eventFilter(watched, event);
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Focus lost to a popup or another window is not leaving the field.
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return CKDialog::eventFilter(watched, event);
    if (watched == m_payTo->Edit() && m_payTo->IsModified() && !ValidatePayTo(false) &&
        QApplication::focusWidget() != m_cancel) {
        // Opened once the focus has settled, so the click or key that left the field ends first.
        QTimer::singleShot(0, this, [this] {
            if (!IsDestroyed() && isVisible() && !m_saving) OpenLookup();
        });
    } else if (watched == m_net && m_net->isModified()) {
        m_net->setModified(false);
        CalculateTax();
    } else if (watched == m_billDate && m_billDate->IsChanged()) {
        CheckBillDate();
    } else if (watched == m_dueDate && m_dueDate->IsChanged()) {
        CheckDueDate();
    }
    return CKDialog::eventFilter(watched, event);
}

bool CAddBill::CheckBillDate()
{
    m_billDate->SetChanged(false);
    if (m_billDate->GetDate() == 0) {
        m_billDate->setFocus();
        m_services.TaskMessageBoxId(61252, MsgKind::Stop);
        m_billDate->SetDate(m_services.GetProgramDateChecked());
        return false;
    }
    return CheckDueNotBeforeBill();
}

bool CAddBill::CheckDueDate()
{
    m_dueDate->SetChanged(false);
    if (m_dueDate->GetDate() == 0) {
        m_dueDate->setFocus();
        m_services.TaskMessageBoxId(61253, MsgKind::Stop);
        m_dueDate->SetDate(m_services.GetProgramDateChecked());
        return false;
    }
    return CheckDueNotBeforeBill();
}

bool CAddBill::CheckDueNotBeforeBill()
{
    const uint16_t bill = m_billDate->GetDate();
    if (m_dueDate->GetDate() >= bill) return true;
    m_services.TaskMessageBoxId(61238, kPlainBox);
    const uint16_t today = m_services.GetProgramDateChecked();
    m_dueDate->SetDate(today < bill ? bill : today);
    m_dueDate->setFocus();
    return false;
}

void CAddBill::TakeFields()
{
    uint8_t* rec = m_rec.data();
    SetI16(rec, kBillTaxCode, static_cast<int16_t>(std::max(m_taxCode->currentIndex(), 0)));
    SetF64(rec, kBillNetAmount, m_net->Value());
    SetF64(rec, kBillTaxAmount, m_vat->Value());
    SetU16(rec, kBillDate, m_billDate->GetDate());
    SetU16(rec, kBillDueDate, m_dueDate->GetDate());
    SetText(rec, kBillPayTo, Bytes(m_payTo->Text().trimmed()));
    SetText(rec, kBillDetails, Bytes(m_details->text()));
    SetText(rec, kBillReference, Bytes(m_ref->text()));
    if (GetU16(rec, kBillFirstDueDate) == 0) {
        SetU16(rec, kBillFirstDueDate, GetU16(rec, kBillDueDate));
        SetU16(rec, kBillFirstDueDateSet, 1);
    }
}

bool CAddBill::Refuse(int stringId, QWidget* focus, int kind)
{
    m_services.TaskMessageBoxId(stringId, kind);
    if (focus) focus->setFocus();
    return false;
}

bool CAddBill::AskOutsideYear(QWidget* focus)
{
    if (m_services.TaskMessageBoxId(61245, MsgKind::YesNo) == kAnswerYes) return true;
    focus->setFocus();
    return false;
}

bool CAddBill::CheckFields()
{
    const uint8_t* rec = m_rec.data();
    std::vector<uint8_t> nominal(kNominalLength, 0);
    const std::string key = FillUp(GetText(rec, kBillPayTo), kCodeWidth);
    const uint32_t account = FlashFindAccount(m_context, kLedgerNominal, key.c_str(), nominal.data(), 0);
    QWidget* payTo = m_payTo->Edit();
    if (account == 0) return Refuse(61225, payTo);
    if (IsControlAccount(m_taxControl.data(), account)) return Refuse(61234, payTo);
    if (GetU8(nominal.data(), kNominalAccountKind) == kNominalKindBank) return Refuse(61235, payTo);

    const double net = GetF64(rec, kBillNetAmount);
    const double tax = GetF64(rec, kBillTaxAmount);
    if (!IsPositiveAmount(Round(tax + net, 2))) return Refuse(61214, m_net);
    if (Round(net - GetF64(rec, kBillNetPaid), 2) < -kPositiveAmountThreshold)
        return Refuse(61215, m_net);
    if (Round(tax - GetF64(rec, kBillTaxPaid), 2) < -kPositiveAmountThreshold)
        return Refuse(61216, m_vat);

    const uint16_t yearStart = GetU16(m_setup.data(), kSetupFinancialYearStart);
    const bool unpaid = GetU16(rec, kBillDatePaid) == 0;
    const uint16_t billDate = GetU16(rec, kBillDate);
    if (billDate == 0) return Refuse(61217, m_billDate);
    bool asked = false;
    if (unpaid && IsDateOutsideFYear(billDate, yearStart)) {
        asked = true;
        if (!AskOutsideYear(m_billDate)) return false;
    }
    const uint16_t dueDate = GetU16(rec, kBillDueDate);
    if (dueDate == 0) return Refuse(61218, m_dueDate);
    if (unpaid && !asked && IsDateOutsideFYear(dueDate, yearStart) && !AskOutsideYear(m_dueDate))
        return false;
    return CheckDueNotBeforeBill();
}

bool CAddBill::SaveBill()
{
    if (m_saving) return false;
    m_saving = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_saving};

    try {
        std::vector<uint8_t> setup(kSetupLength, 0);
        const bool checks = ReadRec(m_context.File(kFileSetup), 1, setup.data()) != 0;
        TakeFields();
        if (checks && !CheckFields()) return false;
        uint32_t recNo = m_recNo;
        bool again = false;
        const CRecordWrite::Result result = m_write.Save([&](DataContext& files, bool vanished) {
            WaitCursor wait;
            again = vanished;
            WriteBill(files, vanished, recNo);
        });
        if (result == CRecordWrite::Result::Cancelled) return false;
        if (result == CRecordWrite::Result::Discarded) {
            // The user keeps what the other desk saved: the list shows it once this dialog has gone.
            m_page.PostCommand(kCommandFillList);
            EndDialog(IDCANCEL);
            return false;
        }
        m_page.UpdateAfterSave(m_rec, recNo, m_recNo != 0 && !again);
    } catch (const std::exception& e) {
        m_services.TaskMessageBox(e.what(), MsgKind::Stop);
        return false;
    }
    EndDialog(IDOK);
    return true;
}

CRecordWrite::Reader CAddBill::BillReader(const std::vector<uint8_t>& identity)
{
    return [&identity](DataContext& files, uint32_t recNo) {
        std::vector<uint8_t> rec = CRecordWrite::RecordBytes(kFileBills)(files, recNo);
        if (!rec.empty() && !identity.empty() && !IsSameBill(rec.data(), identity.data()))
            rec.clear();
        return rec;
    };
}

void CAddBill::WriteBill(DataContext& files, bool vanished, uint32_t& recNo)
{
    DataFile bills = files.File(kFileBills);
    if (m_recNo == 0 || vanished) {
        recNo = RecCount(bills) + 1;
    } else {
        // A payment made meanwhile stays: the paid amounts are the file's, not this dialog's.
        recNo = m_recNo;
        std::vector<uint8_t> now(kBillLength, 0);
        if (ReadRec(bills, recNo, now.data()) != 0) {
            SetF64(m_rec.data(), kBillNetPaid, GetF64(now.data(), kBillNetPaid));
            SetF64(m_rec.data(), kBillTaxPaid, GetF64(now.data(), kBillTaxPaid));
            SetU16(m_rec.data(), kBillDatePaid, GetU16(now.data(), kBillDatePaid));
        }
    }
    WriteRec(bills, recNo, m_rec.data());
}

void CAddBill::OnDestroy()
{
    if (m_lookup) m_lookup->DestroyWindow();
    // Saves the Details history now, while the dialog closes.
    m_payToPopup->Detach();
    m_detailsPopup->Detach();
    RemoveHelpProperty(this);
}

}  // namespace kelo
