#pragma once

// Keys of the indexed files other than To Do (see ToDoRecord.h). Index keys are compared byte by
// byte, so every key is built here, upper-cased where it holds text, in a form whose byte order
// is the order the lists walk in.

#include <array>
#include <string_view>

#include "host/data/Field.h"

namespace kelo {

// Account, nominal and bank indexes (files 13, 14, 15, 16): the code upper-cased, space-padded to
// eight characters, NUL-terminated. An index read by position gives the key followed by the
// record number.
inline constexpr uint32_t kAccountKeyLength = 9;
using AccountKey = std::array<uint8_t, kAccountKeyLength>;
AccountKey BuildAccountKey(std::string_view code);

inline constexpr Field kAccountIndexCode{"code", 0, 9, FieldType::Text};
inline constexpr Field kAccountIndexRecordNumber{"record_number", 9, 4, FieldType::U32};
extern const Layout kAccountIndexEntryLayout;

// Invoice, sales order and purchase order indexes (files 51, 26, 29): the document number as
// eight zero-padded digits (so text order is number order), then the record number.
inline constexpr uint32_t kDocumentKeyLength = 12;
using DocumentKey = std::array<uint8_t, kDocumentKeyLength>;
DocumentKey BuildDocumentKey(uint32_t number, uint32_t recNo);

inline constexpr Field kDocumentKeyNumber{"number", 0, 8, FieldType::Bytes};
inline constexpr Field kDocumentKeyRecordNumber{"record_number", 8, 4, FieldType::U32};
extern const Layout kDocumentKeyLayout;

// Stock index (file 53): the stock code upper-cased, space-padded to 30 characters and
// NUL-terminated, then the record number.
inline constexpr uint32_t kStockKeyLength = 35;
using StockKey = std::array<uint8_t, kStockKeyLength>;
StockKey BuildStockKey(std::string_view code, uint32_t recNo);

inline constexpr Field kStockKeyCode{"code", 0, 31, FieldType::Text};
inline constexpr Field kStockKeyRecordNumber{"record_number", 31, 4, FieldType::U32};
extern const Layout kStockKeyLayout;

// Transaction-number index (file 108, pointing at the transaction's first split in file 36): the
// transaction number big-endian, so the index walks in number order. This is the one key that
// is not little-endian; read it only through TransactionNumberFromKey.
inline constexpr uint32_t kTransactionKeyLength = 4;
using TransactionKey = std::array<uint8_t, kTransactionKeyLength>;
TransactionKey BuildTransactionKey(uint32_t transactionNumber);
uint32_t TransactionNumberFromKey(const uint8_t* key);

inline constexpr Field kTransactionIndexKey{"transaction_key", 0, 4, FieldType::Bytes};
inline constexpr Field kTransactionIndexRecordNumber{"record_number", 4, 4, FieldType::U32};
extern const Layout kTransactionIndexEntryLayout;

}  // namespace kelo
