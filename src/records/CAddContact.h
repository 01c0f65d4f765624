#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/ui/CKDialog.h"
#include "src/records/CRecordWrite.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kelo {

class CKDateEdit;
class CKPopupField;
class CReminderContacts;
class DataContext;
class TaskServices;

// The Phone Call Reminder dialog (template 137): the reminder the Contacts page opened it on,
// with its account's contact details. The Telephone button dials (command 2349); OK (also
// Enter) saves the date, completion and notes under the write rule (CRecordWrite), writes the
// logged-on user as Delegate To, replaces the index key only when Delegate To or the date
// changed, and updates the page's row of that record number.
class CAddContact final : public CKDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAddContact)

public:
    static constexpr int kDialogId = 137;
    static constexpr int kCommandDial = 2349;
    static constexpr int kDialBitmap = 265;
    static constexpr const char* kBadDate = "The date is incorrect";

    CAddContact(CReminderContacts& page, DataContext& context, uint32_t recNo);
    ~CAddContact() override;

    CKDateEdit* DateDue() const { return m_dateDue; }
    QCheckBox* TaskComplete() const { return m_complete; }
    QLineEdit* Account() const { return m_account; }
    QLineEdit* AccountName() const { return m_name; }
    QLineEdit* Contact() const { return m_contact; }
    CKPopupField* Telephone() const { return m_telephone; }
    QPlainTextEdit* Notes() const { return m_notes; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    uint32_t RecordNumber() const { return m_recNo; }

    // The OK steps. Returns true when the reminder was saved and the dialog ended.
    bool SaveReminder();
    bool OnCommand(int id) override;

protected:
    bool OnInitDialog() override;
    void OnOK() override { SaveReminder(); }
    void OnDestroy() override;

private:
    void ReadReminder();
    // Inside the save bracket; fills `row`'s reserved value, category and notes block.
    void WriteReminder(DataContext& files, std::vector<uint8_t>& row, bool vanished);
    void Dial();

    CReminderContacts& m_page;
    TaskServices& m_services;
    DataContext& m_context;
    uint32_t m_recNo;
    bool m_saving = false;
    CRecordWrite m_write;

    // The reminder as read.
    std::string m_accountCode;
    int16_t m_ledgerType = 0;
    uint16_t m_readDate = 0;
    uint16_t m_readCompleted = 0;
    int32_t m_readBlock = -1;
    std::string m_readNotes;

    CKDateEdit* m_dateDue;
    QCheckBox* m_complete;
    QLineEdit* m_account;
    QLineEdit* m_name;
    QLineEdit* m_contact;
    CKPopupField* m_telephone;
    QPlainTextEdit* m_notes;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

}  // namespace kelo
