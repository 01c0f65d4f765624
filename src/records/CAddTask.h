#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "host/ui/CKDialog.h"
#include "src/records/CRecordWrite.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kelo {

class CIntelliPopupImpl;
class CKDateEdit;
class CReminderToDo;
class DataContext;
class TaskServices;

// The To Do Entry dialog (template 110): a new entry (record number 0) or the one the page
// opened it on. Only the OK button saves: Enter does nothing, Cancel writes nothing. A save
// follows CRecordWrite (lock, compare with the entry as read, ask when another user came
// first), writes the record, its notes and (for a new entry, or when Delegate To or the date
// changed) its index key, then updates the page's list row of that record number.
class CAddTask final : public CKDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAddTask)

public:
    static constexpr int kDialogId = 110;
    static constexpr int kNoDescription = 61227;
    static constexpr int kHistoryKey = 61255;
    static constexpr int kDescriptionLimit = 60;
    static constexpr int kTypeLimit = 60;
    static constexpr int kDelegateLimit = 32;
    static constexpr const char* kInvalidDate =
        "An invalid date was entered. \nPlease enter a valid date.";

    // The Type list, in order; the third keeps its trailing space.
    static const std::array<const char*, 13>& PredefinedTypes();

    // `recNo` 0 makes a new entry; otherwise the entry of that record number, whatever the list
    // shows by the time OK is pressed.
    CAddTask(CReminderToDo& page, DataContext& context, uint32_t recNo);
    ~CAddTask() override;

    QComboBox* TypeBox() const { return m_type; }
    CKDateEdit* DateDue() const { return m_dateDue; }
    QLineEdit* Description() const { return m_description; }
    QCheckBox* TaskComplete() const { return m_complete; }
    QComboBox* DelegateTo() const { return m_delegate; }
    QPlainTextEdit* Notes() const { return m_notes; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    // The Description's history drop-down; attached only when the host's option is on.
    CIntelliPopupImpl* DescriptionPopup() const { return m_popup; }
    uint32_t RecordNumber() const { return m_recNo; }

    // The OK button's steps. Returns true when the entry was saved and the dialog ended.
    bool SaveEntry();
    // When the date edit was changed and holds no date: says so, puts the program date back
    // and the focus on the date. Returns false then.
    bool CheckDate();

protected:
    bool OnInitDialog() override;
    // Enter: the dialog's default action does nothing.
    void OnOK() override {}
    void OnDestroy() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ReadEntry();
    void FillUsers();
    std::vector<uint8_t> BuildRow() const;
    // Inside the save bracket: writes the record, its notes and key; fills `row`'s record
    // number, reserved value, category and notes block. `vanished`: the entry was deleted by
    // another user meanwhile and is saved again. Throws FileError on a fault of the data layer.
    void WriteEntry(DataContext& files, std::vector<uint8_t>& row, bool vanished);

    CReminderToDo& m_page;
    TaskServices& m_services;
    DataContext& m_context;
    uint32_t m_recNo;
    bool m_saving = false;
    CRecordWrite m_write;

    // The entry as read: texts, date, completed, notes.
    std::string m_readDescription, m_readType, m_readNotes;
    uint16_t m_readDate = 0;
    uint16_t m_readCompleted = 0;
    int32_t m_readBlock = -1;

    QComboBox* m_type;
    CKDateEdit* m_dateDue;
    QLineEdit* m_description;
    QCheckBox* m_complete;
    QComboBox* m_delegate;
    QPlainTextEdit* m_notes;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    CIntelliPopupImpl* m_popup;
};

}  // namespace kelo
