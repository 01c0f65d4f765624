#pragma once

#include "host/data/Field.h"

namespace kelo {

// Bank account record (file 11, index 16 by code). Every bank account has a nominal account of
// the same code, whose name is the one shown. Bytes not named here (to 640) are reserved.
inline constexpr uint32_t kBankLength = 640;

inline constexpr Field kBankCode{"code", 0, 9, FieldType::Text};
inline constexpr Field kBankName{"name", 9, 61, FieldType::Text};
// Currency number; kBankCurrencyBase is the company's base currency (IsBaseCurrency).
inline constexpr Field kBankCurrency{"currency", 497, 1, FieldType::U8};
// 1 bank, 2 cash, 4 credit card.
inline constexpr Field kBankKind{"kind", 534, 1, FieldType::U8};
// Money in the account: receipts add, payments take away; moved by every posting
// (TransactionPost), always equal to the balance of the bank's nominal account.
inline constexpr Field kBankBalance{"balance", 540, 8, FieldType::F64};

inline constexpr uint8_t kBankCurrencyBase = 1;

inline constexpr uint8_t kBankKindBank = 1;
inline constexpr uint8_t kBankKindCash = 2;
inline constexpr uint8_t kBankKindCreditCard = 4;

extern const Layout kBankLayout;

}  // namespace kelo
