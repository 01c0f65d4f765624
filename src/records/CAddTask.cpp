#include "src/records/CAddTask.h"

#include <exception>
#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKColumnSet.h"
#include "host/ui/CKDateEdit.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKMessageBox.h"
#include "host/util/Dates.h"
#include "host/util/Text.h"
#include "src/app/TaskServices.h"
#include "src/controls/AttachIntelliPopup.h"
#include "src/controls/CIntelliPopupImpl.h"
#include "host/data/FileMap.h"
#include "host/data/GlobalBlock.h"
#include "host/data/ToDoRecord.h"
#include "host/data/UserRecord.h"
#include "src/pages/CReminderToDo.h"
#include "src/pages/scans/ToDoScan.h"

namespace kelo {

namespace {

QString Latin(const std::string& s) { return QString::fromLatin1(s.c_str()); }
std::string Bytes(const QString& s) { return s.toLatin1().toStdString(); }

std::string TrimRight(std::string text)
{
    const size_t end = text.find_last_not_of(" \t");
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

QLabel* Label(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

const std::array<const char*, 13>& CAddTask::PredefinedTypes()
{
    static const std::array<const char*, 13> types{
        "General Reminder",
        "Bank statement due date",
        "Carry out month end routine ",
        "Carry out year end routine",
        "Last day of VAT quarter/month",
        "Print and send statements",
        "Print daybooks",
        "Print management reports",
        "Reconcile bank account",
        "Reconcile VAT",
        "Run aged debtors",
        "Send accounts to accountant",
        "Send overdue letters",
    };
    return types;
}

CAddTask::CAddTask(CReminderToDo& page, DataContext& context, uint32_t recNo)
    : CKDialog(kDialogId, nullptr),
      m_page(page),
      m_services(page.Services()),
      m_context(context),
      m_recNo(recNo),
      m_write(m_services, CBToDo::GetStaticResourcesFor(kResourceSave), kFileToDo,
              CRecordWrite::RecordWithNotes(kFileToDo, kFileToDoNotes, kToDoNotesBlock)),
      m_type(new QComboBox),
      m_dateDue(new CKDateEdit),
      m_description(new QLineEdit),
      m_complete(new QCheckBox(QStringLiteral("Task &Complete"))),
      m_delegate(new QComboBox),
      m_notes(new QPlainTextEdit),
      m_ok(new QPushButton(QStringLiteral("OK"))),
      m_cancel(new QPushButton(QStringLiteral("Cancel"))),
      m_popup(new CIntelliPopupImpl(page.Services().Block(), this))
{
    setWindowTitle(QStringLiteral("To Do Entry"));
    m_type->setObjectName(QStringLiteral("type"));
    m_dateDue->setObjectName(QStringLiteral("dateDue"));
    m_description->setObjectName(QStringLiteral("description"));
    m_complete->setObjectName(QStringLiteral("taskComplete"));
    m_delegate->setObjectName(QStringLiteral("delegateTo"));
    m_notes->setObjectName(QStringLiteral("notes"));
    m_ok->setObjectName(QStringLiteral("ok"));
    m_cancel->setObjectName(QStringLiteral("cancel"));

    m_type->setEditable(true);
    m_type->setInsertPolicy(QComboBox::NoInsert);
    for (const char* type : PredefinedTypes()) m_type->addItem(QString::fromLatin1(type));
    m_delegate->setEditable(false);
    m_notes->setTabChangesFocus(true);
    m_dateDue->installEventFilter(this);
    // Only the button saves; neither button is the default, so Enter never presses one.
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);

    auto* details = new QGroupBox(QStringLiteral("Details"));
    auto* grid = new QGridLayout(details);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->addWidget(Label(QStringLiteral("&Type:"), m_type), 0, 0);
    grid->addWidget(m_type, 0, 1, 1, 3);
    grid->addWidget(Label(QStringLiteral("Date &Due:"), m_dateDue), 1, 0);
    grid->addWidget(m_dateDue, 1, 1);
    grid->addWidget(Label(QStringLiteral("Delegate T&o:"), m_delegate), 1, 2);
    grid->addWidget(m_delegate, 1, 3);
    grid->addWidget(Label(QStringLiteral("D&escription:"), m_description), 2, 0);
    grid->addWidget(m_description, 2, 1, 1, 3);
    grid->addWidget(m_complete, 3, 1, 1, 3);

    auto* notesBox = new QGroupBox(QStringLiteral("Notes"));
    auto* notesLayout = new QVBoxLayout(notesBox);
    notesLayout->addWidget(m_notes);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    connect(m_ok, &QPushButton::clicked, this, [this] { SaveEntry(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { SendCommand(IDCANCEL); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(details);
    layout->addWidget(notesBox, 1);
    layout->addWidget(buttons);
    setTabOrder(m_type, m_dateDue);
    setTabOrder(m_dateDue, m_delegate);
    setTabOrder(m_delegate, m_description);
    setTabOrder(m_description, m_complete);
    setTabOrder(m_complete, m_notes);
    setTabOrder(m_notes, m_ok);
    setTabOrder(m_ok, m_cancel);
    resize(480, 380);
}

CAddTask::~CAddTask() = default;

bool CAddTask::OnInitDialog()
{
    SetHelpProperty(this, kDialogId);
    try {
        if (m_recNo != 0) ReadEntry();
        FillUsers();
    } catch (const std::exception& e) {
        m_services.TaskMessageBox(e.what(), MsgKind::Stop);
        return false;
    }
    if (m_recNo != 0 && m_write.AsRead().empty()) {
        // Deleted at another desk after the list showed it.
        m_services.TaskMessageBoxId(CRecordWrite::kDeletedOnDelete, MsgKind::Information);
        return false;
    }

    const uint16_t today = m_services.GetProgramDateChecked();
    m_dateDue->Setup(3, 1970);
    if (m_recNo != 0) {
        m_description->setText(Latin(m_readDescription));
        const int index = m_type->findText(Latin(m_readType));
        if (index >= 0) m_type->setCurrentIndex(index);
        m_type->setEditText(Latin(m_readType));
        m_dateDue->SetDate(m_readDate != 0 ? m_readDate : today);
        m_complete->setChecked(m_readCompleted != 0);
        m_notes->setPlainText(Latin(m_readNotes));
    } else {
        m_type->setCurrentIndex(0);
        m_dateDue->SetDate(today);
    }

    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    m_description->setMaxLength(kDescriptionLimit);
    m_type->lineEdit()->setMaxLength(kTypeLimit);
    if (const GlobalBlock block = m_services.Block(); block.Exists() && block.AutoComplete())
        AttachIntelliPopup(*m_popup, m_description, kIntelliHistory, 0, kHistoryKey);
    m_type->setFocus();
    return true;
}

void CAddTask::ReadEntry()
{
    CDDataResourceManager manager(m_context);
    manager.GetResources().Add(CBToDo::GetStaticResourcesFor(kResourceRead));
    manager.ObtainResources();
    if (m_write.HoldAsRead(manager.Context(), m_recNo).empty()) {
        manager.ReleaseResources();
        return;
    }
    std::vector<uint8_t> rec(kToDoLength, 0);
    ReadRec(manager.Context().File(kFileToDo), m_recNo, rec.data());
    m_readBlock = GetI32(rec.data(), kToDoNotesBlock);
    m_readDescription = GetText(rec.data(), kToDoDescription);
    m_readType = GetText(rec.data(), kToDoType);
    m_readDate = GetU16(rec.data(), kToDoDateDue);
    m_readCompleted = GetU16(rec.data(), kToDoCompleted);
    m_readNotes = ReadMemoText(manager.Context().File(kFileToDoNotes), m_readBlock);
    manager.ReleaseResources();
}

void CAddTask::FillUsers()
{
    CDDataResourceManager manager(m_context);
    manager.GetResources().Add(CDPersistentAccess::GetStaticResourcesFor(kResourceRead));
    manager.ObtainResources();
    DataFile users = manager.Context().File(kFileUsers);
    std::vector<uint8_t> rec(kUserLength, 0);
    const uint32_t count = RecCount(users);
    for (uint32_t n = 1; n <= count; ++n) {
        if (ReadRec(users, n, rec.data()) == 0) continue;
        m_delegate->addItem(Latin(GetText(rec.data(), kUserName)));
    }
    manager.ReleaseResources();

    const QString user = Latin(m_services.CurrentUserName());
    int index = m_delegate->findText(user, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        // A logon with no user record (the supervisor's) still owns what it saves.
        m_delegate->insertItem(0, user);
        index = 0;
    }
    m_delegate->setCurrentIndex(index);
}

void CAddTask::OnDestroy()
{
    // Saves the Description's history now, while the dialog closes.
    m_popup->Detach();
    RemoveHelpProperty(this);
}

bool CAddTask::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_dateDue && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        CheckDate();
    return CKDialog::eventFilter(watched, event);
}

bool CAddTask::CheckDate()
{
    if (!m_dateDue->IsChanged() || m_dateDue->GetDate() != 0) return true;
    m_dateDue->SetChanged(false);
    m_dateDue->setFocus();
    m_services.TaskMessageBox(kInvalidDate, MsgKind::Stop);
    m_dateDue->SetDate(m_services.GetProgramDateChecked());
    return false;
}

bool CAddTask::SaveEntry()
{
    if (m_saving) return false;
    m_saving = true;
    if (!CheckDate()) {
        m_saving = false;
        return false;
    }
    if (TrimRight(Bytes(m_description->text())).empty()) {
        m_services.TaskMessageBoxId(kNoDescription, MsgKind::Stop);
        m_description->setFocus();
        m_saving = false;
        return false;
    }

    std::vector<uint8_t> row = BuildRow();
    CRecordWrite::Result result = CRecordWrite::Result::Cancelled;
    try {
        result = m_write.Save(
            [&](DataContext& files, bool vanished) { WriteEntry(files, row, vanished); });
    } catch (const std::exception& e) {
        m_services.TaskMessageBox(e.what(), MsgKind::Stop);
        m_saving = false;
        return false;
    }
    m_saving = false;
    if (result == CRecordWrite::Result::Cancelled) return false;
    if (result == CRecordWrite::Result::Written) {
        m_page.UpdateAfterSave(row, m_recNo == 0);
        EndDialog(IDOK);
        return true;
    }
    // The user keeps what the other desk saved: the list shows it once this dialog has gone.
    m_page.PostCommand(kCommandFillList);
    EndDialog(IDCANCEL);
    return false;
}

std::vector<uint8_t> CAddTask::BuildRow() const
{
    const CKColumnSet& cols = ToDoColumns();
    std::vector<uint8_t> row(static_cast<size_t>(cols.RowSize()), 0);
    cols.WriteText(row, kToDoColName, TrimRight(Bytes(m_description->text())));
    cols.WriteText(row, kToDoColDateDue, DateNumberToFullString(m_dateDue->GetDate()));
    cols.WriteText(row, kToDoColType, Bytes(m_type->currentText()).substr(0, kTypeLimit));
    cols.WriteText(row, kToDoColCompleted, m_complete->isChecked() ? "Yes" : "No");
    cols.WriteText(row, kToDoColDelegateTo,
                   PadTo(Bytes(m_delegate->currentText()).substr(0, kDelegateLimit), kDelegateLimit));
    return row;
}

void CAddTask::WriteEntry(DataContext& files, std::vector<uint8_t>& row, bool vanished)
{
    const CKColumnSet& cols = ToDoColumns();
    DataFile data = files.File(kFileToDo);
    DataFile index = files.File(kFileToDoIndex);
    DataFile notes = files.File(kFileToDoNotes);

    // What is stored now: the held copy, or what the user agreed to write over.
    std::vector<uint8_t> stored(kToDoLength, 0);
    const bool isNew = m_recNo == 0;
    const bool keyed = !isNew && !vanished && ReadRec(data, m_recNo, stored.data()) != 0;

    std::vector<uint8_t> rec(kToDoLength, 0);
    const std::string delegateTo = cols.ReadText(row, kToDoColDelegateTo);
    const std::string dateText = cols.ReadText(row, kToDoColDateDue);
    const uint16_t date = DateStringToNumber(dateText);
    const uint16_t completed = cols.ReadText(row, kToDoColCompleted) == "Yes" ? 1 : 0;
    const uint32_t reserved = keyed ? GetU32(stored.data(), kToDoReserved) : 0;
    int32_t block = keyed ? GetI32(stored.data(), kToDoNotesBlock) : (isNew ? -1 : m_readBlock);
    SetText(rec.data(), kToDoDescription, cols.ReadText(row, kToDoColName));
    SetText(rec.data(), kToDoType, cols.ReadText(row, kToDoColType));
    SetText(rec.data(), kToDoDelegateTo, delegateTo);
    SetU16(rec.data(), kToDoDateDue, date);
    SetU16(rec.data(), kToDoCompleted, completed);
    SetU32(rec.data(), kToDoReserved, reserved);

    uint32_t recNo = m_recNo;
    if (isNew) {
        recNo = FindNewRecNo(index);
        AddKey(index, BuildToDoKey(delegateTo, date, recNo).data(), recNo, 0, 0);
    } else if (!keyed) {
        // Deleted meanwhile with its key: saved again, it needs one.
        AddKey(index, BuildToDoKey(delegateTo, date, recNo).data(), recNo, 0, 0);
    } else {
        const std::string storedDelegate = GetText(stored.data(), kToDoDelegateTo);
        const uint16_t storedDate = GetU16(stored.data(), kToDoDateDue);
        if (storedDelegate != TrimRight(delegateTo) || storedDate != date) {
            DeleteKeyOf(index, BuildToDoKeyOfRecord(stored.data(), recNo).data(), recNo);
            AddKey(index, BuildToDoKey(delegateTo, date, recNo).data(), recNo, 0, 0);
        }
    }
    const std::string text = Bytes(m_notes->toPlainText());
    block = WriteMemoBlock(notes, text.c_str(), static_cast<uint32_t>(text.size() + 1), block);
    SetI32(rec.data(), kToDoNotesBlock, block);
    WriteRec(data, recNo, rec.data());

    cols.WriteUInt32(row, kToDoColReserved, reserved);
    cols.WriteUInt32(row, kToDoColRecordNumber, recNo);
    cols.WriteUInt32(row, kToDoColCategory,
                     ToDoCategoryOf(date, completed, m_services.GetProgramDateChecked()));
    cols.WriteUInt32(row, kToDoColNotesBlock, static_cast<uint32_t>(block));
}

}  // namespace kelo
