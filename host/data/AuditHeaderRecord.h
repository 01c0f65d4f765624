#pragma once

#include "host/data/Field.h"

namespace kelo {

// Audit trail header (file 12): one record per transaction, carrying its totals. The same layout
// is the posting header handed to TransactionPost. Bytes not named here are reserved.
inline constexpr uint32_t kAuditHeaderLength = 784;

// Transaction type code 1-18 (TranType): 1 sales invoice, 2 sales credit, 4 customer payment on
// account, 6 purchase invoice, 7 purchase credit, 9 supplier payment on account, 11/13/17 bank,
// cash and credit card payments ...
inline constexpr Field kHeaderType{"type", 0, 1, FieldType::U8};
inline constexpr Field kHeaderAccountReference{"account_reference", 1, 9, FieldType::Text};
// Bank account of a bank, cash or credit card posting.
inline constexpr Field kHeaderBankCode{"bank_code", 10, 9, FieldType::Text};
// Postings of bill payments write only 8 characters here (padded for 9 bytes).
inline constexpr Field kHeaderReference{"reference", 19, 31, FieldType::Text};
// The reference as a bill payment's posting header fills it: 8 characters padded for 9 bytes.
inline constexpr Field kHeaderPaymentReference{"reference", 19, 9, FieldType::Text};
inline constexpr Field kHeaderDetails{"details", 50, 61, FieldType::Text};
inline constexpr Field kHeaderUserName{"user_name", 115, 33, FieldType::Text};
inline constexpr Field kHeaderDate{"date", 148, 2, FieldType::U16};
inline constexpr Field kHeaderNetAmount{"net_amount", 152, 8, FieldType::F64};
inline constexpr Field kHeaderTaxAmount{"tax_amount", 160, 8, FieldType::F64};
inline constexpr Field kHeaderAmountPaid{"amount_paid", 168, 8, FieldType::F64};
// Record number of the transaction's first split (file 36).
inline constexpr Field kHeaderFirstSplit{"first_split", 204, 4, FieldType::U32};
// Next header of the same account (file 12); 0 ends the account's chain.
inline constexpr Field kHeaderNextHeader{"next_header", 216, 4, FieldType::U32};
// Not 0: the header is never listed nor aged.
inline constexpr Field kHeaderExclusion{"exclusion", 236, 2, FieldType::U16};
// Not 0 (with the host's age-as-current setting on): aged as current whatever its date.
inline constexpr Field kHeaderAgeAsCurrent{"age_as_current", 317, 2, FieldType::U16};

extern const Layout kAuditHeaderLayout;

}  // namespace kelo
