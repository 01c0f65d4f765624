#pragma once

#include <cstdint>
#include <string>

namespace kelo {

class DataContext;

// What the Transaction Details viewer shows for one transaction of the audit trail: the
// header's fields, the account's name, contact and telephone, and the outstanding amount.
struct TransactionDetails {
    uint32_t number = 0;
    // False when the number is not in the transaction-number index, or its split or header is
    // past the file: then only the number is shown, every other field empty or 0.
    bool found = false;
    // False when no account of the ledger has the header's reference: the account fields stay
    // empty, the transaction's own fields are shown.
    bool accountFound = false;
    uint8_t type = 0;
    std::string accountReference;  // trimmed
    std::string name;              // trimmed
    std::string contact;           // trimmed
    std::string telephone;         // trimmed
    std::string details;           // as stored
    std::string reference;         // as stored
    uint16_t date = 0;
    double net = 0;
    double tax = 0;
    double paid = 0;
    double outstanding = 0;  // Round(tax + net - paid, 2)

    // The ledger of the account: customers (256) for a sales invoice (type 1), else suppliers.
    int Ledger() const;
    // "Sales Invoice" for type 1; the bank, cash and credit card payments and receipts by name;
    // "Purchase Invoice" for any other type.
    std::string TypeText() const;
    // The dialler's kind: "Customer" for type 1, "Supplier" otherwise.
    std::string DialKind() const;
    // "dd/mm/yyyy", empty for date 0.
    std::string DateText() const;

    // Looks `transactionNumber` up in index 108, reads its first split, the header it names and
    // the account by the header's reference, in a read bracket of its own.
    static TransactionDetails Load(DataContext& context, uint32_t transactionNumber);
};

}  // namespace kelo
