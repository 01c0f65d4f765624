#pragma once

#include <cstdint>
#include <string>

#include "src/pages/scans/RecurringEntry.h"

namespace kelo {

class DataContext;

// Which labels and fields the Recurring Entry Properties viewer shows for an entry kind.
struct RecurringLabels {
    std::string firstAccount;   // label of the bank account fields
    bool firstShown = true;     // the bank account label and fields
    std::string secondAccount;  // label of the second account
    bool detailsShown = true;
    bool taxCodeShown = true;
    bool vatShown = true;
    std::string amount;  // "Net Amount" or "Amount"
};

// By entry kind; payments and receipts on account follow the company's tax scheme.
RecurringLabels RecurringLabelsFor(int kind, bool standardVat);
// "Bank Payment", "Cash Receipt", "Journal Debit" ...: by kind and, for payments and receipts,
// the bank account's kind; empty for an unknown kind.
std::string RecurringTypeName(int kind, int bankKind);

// What the Recurring Entry Properties viewer shows for one entry.
struct RecurringDetails {
    uint32_t recordNumber = 0;
    bool found = false;  // false: no such record; every field empty or 0
    RecurringEntry entry;
    int bankKind = 0;          // 0 when the bank account is missing
    std::string bankName;      // the bank code's nominal name; empty when missing
    std::string secondName;    // empty when the account is missing
    bool bacs = false;         // a supplier payment on account to a supplier paid by BACS
    std::string department;    // "ref - name", "0" for none, the bare number when missing
    bool taxCodeKnown = false;  // the code is one of T0-T99
    double taxRate = 0;
    bool standardVat = true;
    RecurringFinish finish;

    std::string TypeName() const { return RecurringTypeName(entry.kind, bankKind); }
    RecurringLabels Labels() const { return RecurringLabelsFor(entry.kind, standardVat); }
    // "T1   17.50"; "T150" alone for a code with no rate.
    std::string TaxCodeText() const;

    // Reads entry `recordNumber` of the recurring entry file with its accounts, department, tax
    // rate and the company's tax scheme, in a read bracket of its own. Throws FileError on
    // damaged data.
    static RecurringDetails Load(DataContext& context, uint32_t recordNumber);
};

}  // namespace kelo
