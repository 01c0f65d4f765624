#pragma once

#include <cstdint>
#include <vector>

#include <QPointer>

#include "host/ui/CKDialog.h"
#include "src/records/CRecordWrite.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kelo {

class CFixedPopup;
class CIntelliPopupImpl;
class CKCalcEdit;
class CKDateEdit;
class CKPopupField;
class CReminderBills;
class DataContext;
class TaskServices;

// The Bill Record dialog (template 112): a new bill (record number 0) or bill `recNo` of the
// bill file. Pay To is a nominal account that is neither a control account nor a bank account,
// looked up on leaving the field and through its lookup list; Vat follows Net and the tax code
// and stays editable. Only the OK button saves, after its checks in order: Enter does nothing,
// Cancel writes nothing. A new bill is appended; an existing one is rewritten in place only
// when it is still as it was read (another user's change is shown and the user chooses).
class CAddBill final : public CKDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAddBill)

public:
    static constexpr int kDialogId = 112;
    static constexpr int kHistoryKey = 61256;
    static constexpr int kDetailsLimit = 60;
    static constexpr int kRefLimit = 8;
    static constexpr int kPayToLimit = 8;

    CAddBill(CReminderBills& page, DataContext& context, uint32_t recNo);
    ~CAddBill() override;

    // Reads a bill for the write rule: empty when there is none at that number, or when the
    // record there is another bill than `identity` (a delete renumbered the file); `identity`
    // empty takes any bill. `identity` must outlive the reader.
    static CRecordWrite::Reader BillReader(const std::vector<uint8_t>& identity);

    // The tax code list's line for code `code` at `rate` percent: "T%2d   %2.2f".
    static QString TaxCodeText(int code, double rate);
    // Round(rate / 100 * net, 2); 0 when net is 0.
    static double TaxOn(double net, double rate);

    CKPopupField* PayTo() const { return m_payTo; }
    QLineEdit* PayToName() const { return m_payToName; }
    QLineEdit* Details() const { return m_details; }
    QLineEdit* Ref() const { return m_ref; }
    CKCalcEdit* Net() const { return m_net; }
    QComboBox* TaxCode() const { return m_taxCode; }
    CKCalcEdit* Vat() const { return m_vat; }
    CKDateEdit* BillDate() const { return m_billDate; }
    CKDateEdit* DueDate() const { return m_dueDate; }
    QLineEdit* AmountPaid() const { return m_amountPaid; }
    QLineEdit* DatePaid() const { return m_datePaid; }
    QLineEdit* Outstanding() const { return m_outstanding; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    // The nominal lookup while it is open, null otherwise.
    CFixedPopup* Lookup() const;
    CIntelliPopupImpl* PayToPopup() const { return m_payToPopup; }
    CIntelliPopupImpl* DetailsPopup() const { return m_detailsPopup; }
    uint32_t RecordNumber() const { return m_recNo; }

    // The OK button: the checks in order, then the save. True when the bill was saved and the
    // dialog ended.
    bool SaveBill();
    // Vat from Net and the selected tax code.
    void CalculateTax();
    // Opens the nominal lookup under Pay To (nothing when one is open).
    void OpenLookup();
    // Pay To after an edit or a choice: shows the account's name, or clears the name (and with
    // `clearCode` the code too) when it is not an account. True when it is one.
    bool ValidatePayTo(bool clearCode);
    // The checks on leaving the dates: an empty or invalid date is refused and replaced by the
    // program date; then the due date may not be before the bill date. False when refused.
    bool CheckBillDate();
    bool CheckDueDate();
    bool CheckDueNotBeforeBill();

protected:
    bool OnInitDialog() override;
    // Enter: the dialog's default action does nothing.
    void OnOK() override {}
    void OnDestroy() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void ReadSettings();
    void ReadBill();
    void ShowBill();
    // Fills m_rec from the fields (texts padded), setting the first due date once.
    void TakeFields();
    // The checks of OK from the account on; false (message shown, focus set) on the first that fails.
    bool CheckFields();
    bool AskOutsideYear(QWidget* focus);
    bool Refuse(int stringId, QWidget* focus, int kind = 1);
    // The save inside the write rule's bracket: a new bill (or one another user deleted meanwhile,
    // saved again) is appended, an existing one rewritten keeping the paid amounts as they now
    // stand. Sets recNo to the number written.
    void WriteBill(DataContext& files, bool vanished, uint32_t& recNo);
    double RateOf(int code) const;

    CReminderBills& m_page;
    TaskServices& m_services;
    DataContext& m_context;
    uint32_t m_recNo;
    bool m_saving = false;

    std::vector<uint8_t> m_rec;       // the bill being edited
    std::vector<uint8_t> m_taxControl;
    std::vector<uint8_t> m_setup;
    std::vector<uint8_t> m_identity;  // the bill as read when the dialog opened
    CRecordWrite m_write;

    CKPopupField* m_payTo;
    QLineEdit* m_payToName;
    QLineEdit* m_details;
    QLineEdit* m_ref;
    CKCalcEdit* m_net;
    QComboBox* m_taxCode;
    CKCalcEdit* m_vat;
    CKDateEdit* m_billDate;
    CKDateEdit* m_dueDate;
    QLineEdit* m_amountPaid;
    QLineEdit* m_datePaid;
    QLineEdit* m_outstanding;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    CIntelliPopupImpl* m_payToPopup;
    CIntelliPopupImpl* m_detailsPopup;
    QPointer<CFixedPopup> m_lookup;
};

}  // namespace kelo
