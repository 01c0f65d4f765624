#pragma once

#include <cstdint>
#include <vector>

#include <QPointer>

#include "host/ui/CKDialog.h"
#include "src/records/CPayBillPosting.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kelo {

class CFixedPopup;
class CKCalcEdit;
class CKDateEdit;
class CKPopupField;
class CReminderPage;
class DataContext;
class TaskServices;

// The Bill Payment dialog (template 113): pays all or part of the outstanding net and tax of
// bill `recNo` from a bank, cash or credit card account. It opens with the outstanding amounts;
// Vat follows Net and the tax code. Only the OK button pays, after its checks in order: Enter
// does nothing, Cancel posts nothing. The posting and the bill's new paid amounts are written in
// one transaction; a posting refused leaves the bill as it was and the dialog open.
class CPayBill final : public CKDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CPayBill)

public:
    static constexpr int kDialogId = 113;
    static constexpr int kRefLimit = 8;
    static constexpr int kBankLimit = 8;
    static constexpr const char* kNetTooMuch =
        "Net amount entered of %.2f is greater\nthan outstanding net amount of %.2f";
    static constexpr const char* kVatTooMuch =
        "VAT amount entered of %.2f is greater\nthan outstanding VAT amount of %.2f";
    // Texts of what the posting can meet; a bill locked or deleted by another user is told with
    // the shared texts of the write rule (CRecordWrite).
    static constexpr const char* kRefusedText =
        "The payment could not be posted to the ledgers. Nothing has been written.";
    static constexpr const char* kChangedText =
        "This bill has been changed by another user since you opened it. No payment has been "
        "made.\n\nDo you want to pay it as it stands now? Its outstanding amounts are shown "
        "again.";

    CPayBill(CReminderPage& page, DataContext& context, uint32_t recNo);
    ~CPayBill() override;

    CKPopupField* Bank() const { return m_bank; }
    QLineEdit* BankName() const { return m_bankName; }
    QLineEdit* Ref() const { return m_ref; }
    CKDateEdit* Date() const { return m_date; }
    CKCalcEdit* Net() const { return m_net; }
    QComboBox* TaxCode() const { return m_taxCode; }
    CKCalcEdit* Vat() const { return m_vat; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    // The bank lookup while it is open, null otherwise.
    CFixedPopup* Lookup() const;

    // The OK button: the checks in order, then the posting. True when the bill was paid and the
    // dialog ended.
    bool PayBill();
    // The bill as written by the payment (valid once PayBill returned true).
    const std::vector<uint8_t>& PaidBill() const { return m_posting.Bill(); }
    uint32_t TransactionNumber() const { return m_transaction; }
    // True when the payment found the bill changed or gone: the page's list is out of date.
    bool BillChangedElsewhere() const { return m_changedElsewhere; }

    // Leaving Bank after editing it: looks the code up and shows the nominal name; refuses a
    // non-base-currency bank when foreign trading is on; opens the lookup when `openLookup` and
    // the code is not a bank account.
    void LookUpBank(bool openLookup);
    void OpenBankLookup();
    // Vat := Round(rate / 100 * Net, 2).
    void CalculateTax();

protected:
    bool OnInitDialog() override;
    // Enter: the dialog's default action does nothing.
    void OnOK() override {}
    void OnDestroy() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ReadSettings();
    void ShowOutstanding();
    // Leaving Date after editing it with no date: says so and puts the program date back.
    void CheckDate();
    // The OK checks 2 to 9; false (with the message shown and the focus set) at the first fault.
    bool RunChecks(const std::vector<uint8_t>& setup);
    BillPaymentEntry Entry() const;
    bool Post();
    bool Refuse(int stringId, QWidget* focus, int kind = 2);

    TaskServices& m_services;
    DataContext& m_context;
    uint32_t m_recNo;
    CPayBillPosting m_posting;
    std::vector<uint8_t> m_taxControl;
    uint32_t m_transaction = 0;
    bool m_changedElsewhere = false;
    bool m_paying = false;
    bool m_ready = false;

    CKPopupField* m_bank;
    QLineEdit* m_bankName;
    QLineEdit* m_ref;
    CKDateEdit* m_date;
    CKCalcEdit* m_net;
    QComboBox* m_taxCode;
    CKCalcEdit* m_vat;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPointer<CFixedPopup> m_lookup;
};

}  // namespace kelo
