#pragma once

#include "host/data/Field.h"

namespace kelo {

// Customer and supplier account record (files 8 and 9 share it). Read whole by SearchRecord,
// NextRecord, ReadRec and the account lookups. Bytes not named here are reserved for the host.
inline constexpr uint32_t kAccountLength = 4819;

inline constexpr Field kAccountReference{"reference", 0, 9, FieldType::Text};
// A first byte of 0xFF marks a deleted account.
inline constexpr Field kAccountName{"name", 9, 61, FieldType::Text};
inline constexpr Field kAccountContactName{"contact_name", 375, 31, FieldType::Text};
// Read only up to its terminator; 31 bytes is the width the contact rows carry.
inline constexpr Field kAccountTelephone{"telephone", 406, 31, FieldType::Text};
// 0 = not on hold, anything else = on hold.
inline constexpr Field kAccountOnHold{"on_hold", 1118, 1, FieldType::U8};
// 0.000000005 or less = no limit.
inline constexpr Field kAccountCreditLimit{"credit_limit", 1627, 8, FieldType::F64};
inline constexpr Field kAccountCreditPeriod{"credit_period", 1667, 2, FieldType::I16};
// Days; 0 = no settlement discount.
inline constexpr Field kAccountSettlementPeriod{"settlement_period", 1669, 2, FieldType::I16};
inline constexpr Field kAccountCreditReviewDate{"credit_review_date", 1683, 2, FieldType::U16};
inline constexpr Field kAccountCreditCharges{"credit_charges", 1691, 2, FieldType::U16};
// Supplier accounts: 1 = paid by BACS.
inline constexpr Field kAccountBacs{"bacs", 2236, 2, FieldType::U16};
inline constexpr Field kAccountBalance{"balance", 4284, 8, FieldType::F64};
inline constexpr Field kAccountLastActivityDate{"last_activity_date", 4292, 2, FieldType::U16};
// Head of the account's chain of audit trail headers (file 12); 0 = none.
inline constexpr Field kAccountFirstHeader{"first_header", 4640, 4, FieldType::U32};

extern const Layout kAccountLayout;

// True when the account record is marked deleted (first byte of its name 0xFF).
bool IsDeletedAccount(const uint8_t* rec);

}  // namespace kelo
