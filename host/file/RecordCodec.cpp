#include "host/file/RecordCodec.h"

#include <cstring>

#include <lz4.h>
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace kelo::codec {
namespace {

enum Scheme : unsigned char { kPlain = 0, kLz4 = 1 };
constexpr size_t kChecksum = 4;
// Records above this are not records: a damaged length must not make a reader allocate it.
constexpr uint64_t kMaxLength = uint64_t(1) << 26;

uint32_t checksum(uint32_t number, const char* p, size_t n)
{
    return uint32_t(XXH3_64bits_withSeed(p, n, number));
}

void putVarint(std::string& s, uint64_t n)
{
    while (n >= 0x80) {
        s.push_back(char(n | 0x80));
        n >>= 7;
    }
    s.push_back(char(n));
}

bool getVarint(std::string_view& s, uint64_t& n)
{
    n = 0;
    for (int shift = 0; shift < 35 && !s.empty(); shift += 7) {
        const auto b = static_cast<unsigned char>(s.front());
        s.remove_prefix(1);
        n |= uint64_t(b & 0x7f) << shift;
        if (!(b & 0x80)) return true;
    }
    return false;
}

// Checks the checksum and reads scheme and length; `body` is left holding the scheme's bytes.
bool open(uint32_t number, std::string_view stored, unsigned char& scheme, uint64_t& length, std::string_view& body)
{
    // Longer than any record's stored form: a damaged size, whose bytes are not to be read.
    if (stored.size() < kChecksum + 2 || stored.size() > kChecksum + 11 + kMaxLength) return false;
    uint32_t want;
    std::memcpy(&want, stored.data(), kChecksum);
    body = stored.substr(kChecksum);
    if (checksum(number, body.data(), body.size()) != want) return false;
    scheme = static_cast<unsigned char>(body.front());
    body.remove_prefix(1);
    return getVarint(body, length) && length <= kMaxLength;
}

bool expand(unsigned char scheme, std::string_view body, char* out, size_t length)
{
    if (scheme == kPlain) {
        if (body.size() != length) return false;
        std::memcpy(out, body.data(), length);
        return true;
    }
    if (scheme != kLz4) return false;
    return LZ4_decompress_safe(body.data(), out, int(body.size()), int(length)) == int(length);
}

}  // namespace

std::string Encode(uint32_t number, std::string_view record)
{
    std::string s(kChecksum, '\0');
    s.push_back(char(kLz4));
    putVarint(s, record.size());
    const size_t head = s.size();
    const int bound = LZ4_compressBound(int(record.size()));
    s.resize(head + size_t(bound));
    const int n = LZ4_compress_default(record.data(), s.data() + head, int(record.size()), bound);
    if (n > 0 && size_t(n) < record.size()) {
        s.resize(head + size_t(n));
    } else {
        s[kChecksum] = char(kPlain);
        s.resize(head);
        s.append(record);
    }
    const uint32_t sum = checksum(number, s.data() + kChecksum, s.size() - kChecksum);
    std::memcpy(s.data(), &sum, kChecksum);
    return s;
}

bool Decode(uint32_t number, std::string_view stored, void* out, size_t length)
{
    unsigned char scheme;
    uint64_t n;
    std::string_view body;
    if (!open(number, stored, scheme, n, body) || n != length) return false;
    return expand(scheme, body, static_cast<char*>(out), length);
}

bool DecodeText(uint32_t number, std::string_view stored, std::string& out)
{
    unsigned char scheme;
    uint64_t n;
    std::string_view body;
    if (!open(number, stored, scheme, n, body)) return false;
    out.resize(size_t(n));
    return expand(scheme, body, out.data(), out.size());
}

}  // namespace kelo::codec
