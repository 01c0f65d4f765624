#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kelo {

class DataContext;

// What the user entered in the Bill Payment dialog.
struct BillPaymentEntry {
    std::string bank;  // bank account code, at most 8 characters
    std::string reference;
    uint16_t date = 0;
    double net = 0;
    double vat = 0;
    int taxCode = 0;
};

// The payment of one bill without its window: the posting header and split as TransactionPost
// takes them, and the payment itself, which posts and writes the bill's new paid amounts in one
// write transaction, so a crash leaves both or neither. The dialog, the kill trial and the
// benchmark all pay through it.
class CPayBillPosting final {
public:
    enum class Outcome {
        Posted,   // posted and the bill written
        Refused,  // TransactionPost answered 0: nothing written
        Locked,   // another user holds the bill's record lock: nothing written
        Changed,  // another user changed the bill since it was read: nothing written, Bill()
                  // now holds the bill as it stands
        Gone,     // the bill is no longer there (deleted, or the file was renumbered)
    };

    CPayBillPosting(DataContext& context, uint32_t recNo);

    // Reads the bill. False when there is no such record.
    bool Read();
    // The bill as last read or written (the payment's copy).
    const std::vector<uint8_t>& Bill() const { return m_bill; }
    uint32_t RecordNumber() const { return m_recNo; }

    // The transaction type of a bank of `kind` (1 bank, 2 cash, 4 credit card): 11, 13 or 17;
    // 0 for any other kind.
    static uint8_t TypeOfBankKind(uint8_t kind);
    // The posting header and split of a payment of `bill` from `bank`, by `userName`.
    static std::vector<uint8_t> BuildHeader(const BillPaymentEntry& entry, const uint8_t* bill,
                                            const uint8_t* bank, const std::string& userName);
    static std::vector<uint8_t> BuildSplit(const BillPaymentEntry& entry, const uint8_t* bill,
                                           const uint8_t* bank, const std::string& userName);
    // The bill after a payment: paid amounts increased (rounded), date paid set, texts padded.
    static std::vector<uint8_t> ApplyPayment(const BillPaymentEntry& entry, const uint8_t* bill);

    // Pays: locks the bill, rereads it and compares with the copy, looks the bank up again,
    // posts through TransactionPost and writes the bill, all in one write transaction; unlocks.
    // `transaction` receives the transaction number when posted. Throws FileError on a fault of
    // the data layer, with nothing written.
    Outcome Pay(const BillPaymentEntry& entry, const std::string& userName,
                uint32_t* transaction = nullptr);

private:
    DataContext& m_context;
    uint32_t m_recNo;
    std::vector<uint8_t> m_bill;
};

}  // namespace kelo
