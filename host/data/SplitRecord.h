#pragma once

#include "host/data/Field.h"

namespace kelo {

// Split record (file 36): one line of a transaction, chained from its audit trail header. The
// same layout is the posting split handed to TransactionPost. Bytes not named here are reserved.
inline constexpr uint32_t kSplitLength = 539;

inline constexpr Field kSplitType{"type", 0, 1, FieldType::U8};
inline constexpr Field kSplitNominalCode{"nominal_code", 1, 9, FieldType::Text};
inline constexpr Field kSplitDetails{"details", 10, 61, FieldType::Text};
inline constexpr Field kSplitUserName{"user_name", 71, 33, FieldType::Text};
inline constexpr Field kSplitTaxCode{"tax_code", 115, 4, FieldType::I32};
inline constexpr Field kSplitNetAmount{"net_amount", 119, 8, FieldType::F64};
inline constexpr Field kSplitTaxAmount{"tax_amount", 127, 8, FieldType::F64};
// Record number of the transaction's audit trail header (file 12).
inline constexpr Field kSplitHeader{"header", 175, 4, FieldType::U32};
// Next split of the same transaction; 0 ends.
inline constexpr Field kSplitNextSplit{"next_split", 179, 4, FieldType::U32};
// The transaction number (GetTransactionID), the key of the transaction-number index (file 108).
// Every split of a transaction carries it; the index points at the first split.
inline constexpr Field kSplitTransactionNumber{"transaction_number", 183, 4, FieldType::U32};
// First allocation of this split (file 37); 0 = none.
inline constexpr Field kSplitFirstAllocation{"first_allocation", 187, 4, FieldType::U32};

extern const Layout kSplitLayout;

}  // namespace kelo
