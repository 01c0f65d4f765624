#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// How a record's bytes are kept in the store: LZ4-compressed (or as they are, when that is
// shorter) behind a checksum of what is stored and of the number the record is stored under, so
// damage is found on every read, also a damaged key that moved a whole record to another number.
//   [4: checksum, little-endian][1: scheme][varint: the record's length][scheme's bytes]
// LZ4 was chosen by measurement on the scale company: an eighth of the bytes, decoding about
// three times faster than zstd, whose per-file dictionaries saved a further quarter.
namespace kelo::codec {

// The store format this library writes and reads. 1 was records kept as they are, 2 had
// checksums without the number (number 0 reads them).
inline constexpr uint32_t kStoreFormat = 3;

// `number` is the record's number, or the notes block's: what the record is stored under.
std::string Encode(uint32_t number, std::string_view record);
// Writes the record into out when it decodes whole to exactly `length` bytes; false when it
// is damaged (checksum, number, scheme, length or compressed bytes).
bool Decode(uint32_t number, std::string_view stored, void* out, size_t length);
// Variable-length records (notes): false when damaged.
bool DecodeText(uint32_t number, std::string_view stored, std::string& out);

// The key a record or notes block is stored under: its number in four bytes, most significant
// first, so the store's byte order is the numbers' order.
struct NumberKey {
    explicit NumberKey(uint32_t n) : bytes{char(n >> 24), char(n >> 16), char(n >> 8), char(n)} {}
    std::string_view view() const { return std::string_view(bytes, 4); }
    char bytes[4];
};

// The number four key bytes spell (an index key ends with them).
inline uint32_t NumberAt(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return uint32_t(u[0]) << 24 | uint32_t(u[1]) << 16 | uint32_t(u[2]) << 8 | u[3];
}

// The number a record's key spells; 0 for a key of another length.
inline uint32_t NumberOfKey(std::string_view key)
{
    return key.size() == 4 ? NumberAt(key.data()) : 0;
}

}  // namespace kelo::codec
