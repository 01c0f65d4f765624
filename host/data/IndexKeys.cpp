#include "host/data/IndexKeys.h"

#include <algorithm>

namespace kelo {

namespace {

constexpr Field kAccountIndexFields[] = {kAccountIndexCode, kAccountIndexRecordNumber};
constexpr Field kDocumentKeyFields[] = {kDocumentKeyNumber, kDocumentKeyRecordNumber};
constexpr Field kStockKeyFields[] = {kStockKeyCode, kStockKeyRecordNumber};
constexpr Field kTransactionIndexFields[] = {kTransactionIndexKey, kTransactionIndexRecordNumber};

// The text upper-cased, cut to width - 1, space-padded and NUL-terminated (FillUp of a key).
void PutKeyText(uint8_t* dest, uint32_t width, std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    const size_t n = std::min<size_t>(width - 1, text.size());
    for (size_t i = 0; i < width - 1; ++i) {
        const auto c = i < n ? static_cast<uint8_t>(text[i]) : static_cast<uint8_t>(' ');
        dest[i] = (c >= 'a' && c <= 'z') ? static_cast<uint8_t>(c - 32) : c;
    }
    dest[width - 1] = 0;
}

}  // namespace

const Layout kAccountIndexEntryLayout{"account_index_entry", 13, kAccountIndexFields};
const Layout kDocumentKeyLayout{"document_key", kDocumentKeyLength, kDocumentKeyFields};
const Layout kStockKeyLayout{"stock_key", kStockKeyLength, kStockKeyFields};
const Layout kTransactionIndexEntryLayout{"transaction_index_entry", 8, kTransactionIndexFields};

AccountKey BuildAccountKey(std::string_view code)
{
    AccountKey key{};
    PutKeyText(key.data(), kAccountKeyLength, code);
    return key;
}

DocumentKey BuildDocumentKey(uint32_t number, uint32_t recNo)
{
    DocumentKey key{};
    // Eight digits hold every number up to 99,999,999; the lowest eight digits of a larger one.
    uint32_t n = number;
    for (int i = static_cast<int>(kDocumentKeyNumber.width) - 1; i >= 0; --i) {
        key[static_cast<size_t>(i)] = static_cast<uint8_t>('0' + n % 10);
        n /= 10;
    }
    SetU32(key.data(), kDocumentKeyRecordNumber, recNo);
    return key;
}

StockKey BuildStockKey(std::string_view code, uint32_t recNo)
{
    StockKey key{};
    PutKeyText(key.data() + kStockKeyCode.offset, kStockKeyCode.width, code);
    SetU32(key.data(), kStockKeyRecordNumber, recNo);
    return key;
}

TransactionKey BuildTransactionKey(uint32_t transactionNumber)
{
    return {static_cast<uint8_t>(transactionNumber >> 24),
            static_cast<uint8_t>(transactionNumber >> 16),
            static_cast<uint8_t>(transactionNumber >> 8), static_cast<uint8_t>(transactionNumber)};
}

uint32_t TransactionNumberFromKey(const uint8_t* key)
{
    return (uint32_t{key[0]} << 24) | (uint32_t{key[1]} << 16) | (uint32_t{key[2]} << 8) |
           uint32_t{key[3]};
}

}  // namespace kelo
