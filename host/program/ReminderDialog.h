#pragma once

#include <string>

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace kelo {
class CKDateEdit;
class DataContext;
}

namespace kelo::host {

// Accounts → New Phone Call Reminder: the host's way to ask a user to ring a customer or a
// supplier by a date. Pick the ledger and the account, the date (the program date to start) and
// a note; OK writes the reminder for the logged-on user (AddPhoneCallReminder) and tells the
// open Task Manager, which lists it on its Contacts page.
class ReminderDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReminderDialog)

public:
    ReminderDialog(DataContext& context, std::string user, QWidget* parent = nullptr);

    QComboBox* Ledger() const { return m_ledger; }
    QComboBox* Account() const { return m_account; }
    CKDateEdit* DateDue() const { return m_date; }
    QLineEdit* Note() const { return m_note; }
    // The record written by the last OK; 0 before.
    uint32_t RecordNumber() const { return m_recNo; }

    void accept() override;

private:
    // The accounts of the chosen ledger, "CODE  Name", in record order.
    void FillAccounts();

    DataContext& m_context;
    std::string m_user;
    QComboBox* m_ledger;
    QComboBox* m_account;
    CKDateEdit* m_date;
    QLineEdit* m_note;
    uint32_t m_recNo = 0;
};

}  // namespace kelo::host
