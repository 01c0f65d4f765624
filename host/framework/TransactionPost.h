#pragma once

// The host's posting routine: how a payment made in the module reaches the ledgers.

#include <cstdint>

namespace kelo {

class CBBusContext;

// Transaction types TransactionPost posts: bank, cash and credit card payments and receipts.
inline constexpr uint8_t kTypeBankPayment = 11;
inline constexpr uint8_t kTypeBankReceipt = 12;
inline constexpr uint8_t kTypeCashPayment = 13;
inline constexpr uint8_t kTypeCashReceipt = 14;
inline constexpr uint8_t kTypeCardPayment = 17;
inline constexpr uint8_t kTypeCardReceipt = 18;

// Posts one bank, cash or credit card payment or receipt into the company.
//
//  header      the posting header (audit trail header layout) as the caller fills it: type,
//              bank code, reference, details, user name and date;
//  bankRecord  the bank account record the posting moves; bankCount must be 1;
//  splits      splitCount split records laid end to end, each with its nominal code, details,
//              user name, tax code, net and tax.
//  headerFlags, reserved1, reserved2 are the host's and ignored.
//
// Writes a new audit trail header (net, tax and amount paid the splits' totals, the bank code as
// its account reference, first split set), one split per split handed in (chained, each pointing
// at the header and carrying the new transaction number, one transaction-number index entry
// each), and moves the balances: a payment debits each split's nominal account with its net and
// the purchase tax control account with its tax, and credits the bank and the bank's nominal
// account with the total; a receipt does the opposite, with the sales tax control account.
//
// Returns the transaction number (the highest in the transaction-number index plus one), or 0
// when it refuses and writes nothing: a type it does not post (0 included), no bank or one the
// company does not hold, a header whose bank code is not the bank's, no splits, a date of 0, an
// amount that is not a finite number, a split whose nominal account does not exist, or tax with
// no tax control account set.
//
// Runs inside the open write bracket when there is one, so the caller's own writes and the
// posting commit together (or are abandoned together); otherwise in a bracket of its own that
// commits before it returns. Throws FileError on a fault of the data layer; what the posting
// wrote is then abandoned with the bracket. UI thread only.
uint32_t TransactionPost(CBBusContext& context, const uint8_t* header, int headerFlags,
                         const uint8_t* bankRecord, int bankCount, const uint8_t* splits,
                         int splitCount, int reserved1, int reserved2);

}  // namespace kelo
