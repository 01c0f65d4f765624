#include "src/records/CAddContact.h"

#include <exception>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "host/data/FileMap.h"
#include "host/data/ToDoRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKColumnSet.h"
#include "host/ui/CKDateEdit.h"
#include "host/ui/CKDialler.h"
#include "host/ui/CKIcons.h"
#include "host/ui/CKMessageBox.h"
#include "host/ui/CKPopupField.h"
#include "host/util/Dates.h"
#include "host/util/Text.h"
#include "src/app/TaskServices.h"
#include "src/pages/CReminderContacts.h"
#include "src/pages/scans/ContactsScan.h"
#include "src/pages/scans/ToDoScan.h"

namespace kelo {

namespace {

QString Latin(const std::string& s) { return QString::fromLatin1(s.c_str()); }
std::string Bytes(const QString& s) { return s.toLatin1().toStdString(); }

QLineEdit* ReadOnlyEdit(const char* name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    return edit;
}

QLabel* Label(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

CAddContact::CAddContact(CReminderContacts& page, DataContext& context, uint32_t recNo)
    : CKDialog(kDialogId, nullptr),
      m_page(page),
      m_services(page.Services()),
      m_context(context),
      m_recNo(recNo),
      m_write(m_services, CBToDo::GetStaticResourcesFor(kResourceSave), kFileToDo,
              CRecordWrite::RecordWithNotes(kFileToDo, kFileToDoNotes, kToDoNotesBlock)),
      m_dateDue(new CKDateEdit),
      m_complete(new QCheckBox(QStringLiteral("Task &Complete"))),
      m_account(ReadOnlyEdit("account")),
      m_name(ReadOnlyEdit("accountName")),
      m_contact(ReadOnlyEdit("contact")),
      m_telephone(new CKPopupField),
      m_notes(new QPlainTextEdit),
      m_ok(new QPushButton(QStringLiteral("OK"))),
      m_cancel(new QPushButton(QStringLiteral("Cancel")))
{
    setWindowTitle(QStringLiteral("Phone Call Reminder"));
    m_dateDue->setObjectName(QStringLiteral("dateDue"));
    m_complete->setObjectName(QStringLiteral("taskComplete"));
    m_telephone->setObjectName(QStringLiteral("telephone"));
    m_telephone->Edit()->setReadOnly(true);
    m_telephone->Edit()->setAccessibleName(QStringLiteral("Telephone"));
    m_telephone->Button()->setAccessibleName(QStringLiteral("Dial"));
    m_telephone->Button()->setToolTip(QStringLiteral("Dial this number"));
    m_name->setAccessibleName(QStringLiteral("Account name"));
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setAccessibleName(QStringLiteral("Notes"));
    m_notes->setTabChangesFocus(true);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_ok->setDefault(true);

    auto* details = new QGroupBox(QStringLiteral("Details"));
    auto* detailsGrid = new QGridLayout(details);
    detailsGrid->addWidget(Label(QStringLiteral("Date &Due:"), m_dateDue), 0, 0);
    detailsGrid->addWidget(m_dateDue, 0, 1);
    detailsGrid->addWidget(m_complete, 0, 2);
    detailsGrid->setColumnStretch(3, 1);

    auto* account = new QGroupBox(QStringLiteral("Account"));
    auto* grid = new QGridLayout(account);
    grid->addWidget(Label(QStringLiteral("A/C:"), m_account), 0, 0);
    grid->addWidget(m_account, 0, 1);
    grid->addWidget(m_name, 0, 2);
    grid->addWidget(Label(QStringLiteral("Contact:"), m_contact), 1, 0);
    grid->addWidget(m_contact, 1, 1, 1, 2);
    grid->addWidget(Label(QStringLiteral("Telephone:"), m_telephone->Edit()), 2, 0);
    grid->addWidget(m_telephone, 2, 1, 1, 2);
    grid->setColumnStretch(2, 1);

    auto* notesBox = new QGroupBox(QStringLiteral("Notes"));
    auto* notesLayout = new QVBoxLayout(notesBox);
    notesLayout->addWidget(m_notes);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    connect(m_ok, &QPushButton::clicked, this, [this] { SaveReminder(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { SendCommand(IDCANCEL); });
    connect(m_telephone, &CKPopupField::buttonClicked, this,
            [this] { SendCommand(kCommandDial); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(details);
    layout->addWidget(account);
    layout->addWidget(notesBox, 1);
    layout->addWidget(buttons);
    resize(460, 400);
}

CAddContact::~CAddContact() = default;

bool CAddContact::OnInitDialog()
{
    SetHelpProperty(this, kDialogId);
    ReminderAccount account;
    try {
        ReadReminder();
        if (!m_write.AsRead().empty()) account = LookUpReminderAccount(m_context, m_ledgerType, m_accountCode);
    } catch (const std::exception& e) {
        m_services.TaskMessageBox(e.what(), MsgKind::Stop);
        return false;
    }
    if (m_write.AsRead().empty()) {
        // Deleted at another desk after the list showed it.
        m_services.TaskMessageBoxId(CRecordWrite::kDeletedOnDelete, MsgKind::Information);
        return false;
    }

    m_account->setText(Latin(account.code));
    m_name->setText(Latin(account.name));
    m_contact->setText(Latin(account.contact));
    m_telephone->SetTextQuietly(Latin(account.telephone));
    m_dateDue->Setup(3, 1970);
    m_dateDue->SetDate(m_readDate != 0 ? m_readDate : m_services.GetProgramDateChecked());
    m_complete->setChecked(m_readCompleted != 0);
    m_notes->setPlainText(Latin(m_readNotes));
    m_telephone->Button()->setIcon(CKIcons::ForBitmap(kDialBitmap));

    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    m_dateDue->setFocus();
    return true;
}

void CAddContact::ReadReminder()
{
    CDDataResourceManager manager(m_context);
    manager.GetResources().Add(CBToDo::GetStaticResourcesFor(kResourceRead));
    manager.ObtainResources();
    if (!m_write.HoldAsRead(manager.Context(), m_recNo).empty()) {
        std::vector<uint8_t> rec(kToDoLength, 0);
        ReadRec(manager.Context().File(kFileToDo), m_recNo, rec.data());
        m_accountCode = GetText(rec.data(), kToDoAccountCode);
        m_ledgerType = GetI16(rec.data(), kToDoLedgerType);
        m_readDate = GetU16(rec.data(), kToDoDateDue);
        m_readCompleted = GetU16(rec.data(), kToDoCompleted);
        m_readBlock = GetI32(rec.data(), kToDoNotesBlock);
        m_readNotes = ReadMemoText(manager.Context().File(kFileToDoNotes), m_readBlock);
    }
    manager.ReleaseResources();
}

void CAddContact::OnDestroy() { RemoveHelpProperty(this); }

bool CAddContact::OnCommand(int id)
{
    if (id == kCommandDial) {
        Dial();
        return true;
    }
    return CKDialog::OnCommand(id);
}

void CAddContact::Dial()
{
    const QString kind = m_ledgerType == kLedgerSales ? QStringLiteral("Customer")
                                                      : QStringLiteral("Supplier");
    CKDialler::KCDialNumber(this, m_telephone->Text(), kind, m_contact->text(), QString(),
                            QString(), QString(), 30);
}

bool CAddContact::SaveReminder()
{
    if (m_saving) return false;
    m_saving = true;
    if (m_dateDue->GetDate() == 0) {
        m_services.TaskMessageBox(kBadDate, 0);
        m_dateDue->setFocus();
        m_saving = false;
        return false;
    }

    const CKColumnSet& cols = ContactsColumns();
    std::vector<uint8_t> row(static_cast<size_t>(cols.RowSize()), 0);
    cols.WriteText(row, kContactsColAccount, Bytes(m_account->text()));
    cols.WriteText(row, kContactsColName, Bytes(m_name->text()));
    cols.WriteText(row, kContactsColTelephone, Bytes(m_telephone->Text()));
    cols.WriteText(row, kContactsColDescription, kPhoneCallReminderType);
    cols.WriteText(row, kContactsColType, kPhoneCallReminderType);
    cols.WriteText(row, kContactsColDateDue, DateNumberToFullString(m_dateDue->GetDate()));
    cols.WriteText(row, kContactsColCompleted, m_complete->isChecked() ? "Yes" : "No");
    cols.WriteText(row, kContactsColDelegateTo, PadTo(m_services.CurrentUserName(), 32));
    cols.WriteUInt32(row, kContactsColLedgerType, static_cast<uint32_t>(m_ledgerType));
    cols.WriteUInt32(row, kContactsColRecordNumber, m_recNo);

    CRecordWrite::Result result = CRecordWrite::Result::Cancelled;
    try {
        result = m_write.Save(
            [&](DataContext& files, bool vanished) { WriteReminder(files, row, vanished); });
    } catch (const std::exception& e) {
        m_services.TaskMessageBox(e.what(), MsgKind::Stop);
        m_saving = false;
        return false;
    }
    m_saving = false;
    if (result == CRecordWrite::Result::Cancelled) return false;
    if (result == CRecordWrite::Result::Written) {
        m_page.UpdateAfterSave(row);
        EndDialog(IDOK);
        return true;
    }
    // The user keeps what the other desk saved: the list shows it once this dialog has gone.
    m_page.PostCommand(kCommandFillList);
    EndDialog(IDCANCEL);
    return false;
}

void CAddContact::WriteReminder(DataContext& files, std::vector<uint8_t>& row, bool vanished)
{
    const CKColumnSet& cols = ContactsColumns();
    DataFile data = files.File(kFileToDo);
    DataFile index = files.File(kFileToDoIndex);

    // What is stored now: the held copy, or what the user agreed to write over.
    std::vector<uint8_t> stored(kToDoLength, 0);
    const bool keyed = !vanished && ReadRec(data, m_recNo, stored.data()) != 0;

    const std::string user = m_services.CurrentUserName();
    const uint16_t date = m_dateDue->GetDate();
    const uint16_t completed = m_complete->isChecked() ? 1 : 0;
    const uint32_t reserved = keyed ? GetU32(stored.data(), kToDoReserved) : 0;
    int32_t block = keyed ? GetI32(stored.data(), kToDoNotesBlock) : m_readBlock;

    std::vector<uint8_t> rec(kToDoLength, 0);
    SetText(rec.data(), kToDoDescription, kPhoneCallReminderType);
    SetText(rec.data(), kToDoType, kPhoneCallReminderType);
    SetText(rec.data(), kToDoDelegateTo, user);
    SetText(rec.data(), kToDoAccountCode, m_accountCode);
    SetU16(rec.data(), kToDoDateDue, date);
    SetU16(rec.data(), kToDoCompleted, completed);
    SetI16(rec.data(), kToDoLedgerType, m_ledgerType);
    SetU32(rec.data(), kToDoReserved, reserved);

    if (!keyed) {
        AddKey(index, BuildToDoKey(user, date, m_recNo).data(), m_recNo, 0, 0);
    } else if (GetText(stored.data(), kToDoDelegateTo) != user ||
               GetU16(stored.data(), kToDoDateDue) != date) {
        // A Delegate To that differs only in letter case is replaced too.
        DeleteKeyOf(index, BuildToDoKeyOfRecord(stored.data(), m_recNo).data(), m_recNo);
        AddKey(index, BuildToDoKey(user, date, m_recNo).data(), m_recNo, 0, 0);
    }
    const std::string text = Bytes(m_notes->toPlainText());
    block = WriteMemoBlock(files.File(kFileToDoNotes), text.c_str(),
                           static_cast<uint32_t>(text.size() + 1), block);
    SetI32(rec.data(), kToDoNotesBlock, block);
    WriteRec(data, m_recNo, rec.data());

    cols.WriteUInt32(row, kContactsColReserved, reserved);
    cols.WriteUInt32(row, kContactsColCategory,
                     ContactsCategoryOf(date, completed, m_services.GetProgramDateChecked()));
    cols.WriteUInt32(row, kContactsColNotesBlock, static_cast<uint32_t>(block));
}

}  // namespace kelo
