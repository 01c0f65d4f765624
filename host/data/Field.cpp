#include "host/data/Field.h"

#include <algorithm>
#include <cstring>

namespace kelo {

const Field* Layout::Find(std::string_view fieldName) const
{
    for (const Field& f : fields)
        if (fieldName == f.name) return &f;
    return nullptr;
}

namespace {

template <typename T>
T load(const uint8_t* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);  // x86-64 and aarch64 are little-endian, as the records are
    return v;
}

template <typename T>
void store(uint8_t* p, T v)
{
    std::memcpy(p, &v, sizeof v);
}

}  // namespace

uint8_t GetU8(const uint8_t* rec, const Field& f) { return rec[f.offset]; }
int8_t GetI8(const uint8_t* rec, const Field& f) { return static_cast<int8_t>(rec[f.offset]); }
uint16_t GetU16(const uint8_t* rec, const Field& f) { return load<uint16_t>(rec + f.offset); }
int16_t GetI16(const uint8_t* rec, const Field& f) { return load<int16_t>(rec + f.offset); }
uint32_t GetU32(const uint8_t* rec, const Field& f) { return load<uint32_t>(rec + f.offset); }
int32_t GetI32(const uint8_t* rec, const Field& f) { return load<int32_t>(rec + f.offset); }
double GetF64(const uint8_t* rec, const Field& f) { return load<double>(rec + f.offset); }

std::string GetRawText(const uint8_t* rec, const Field& f)
{
    const char* p = reinterpret_cast<const char*>(rec + f.offset);
    return std::string(p, strnlen(p, f.width));
}

std::string GetText(const uint8_t* rec, const Field& f)
{
    std::string s = GetRawText(rec, f);
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

void SetU8(uint8_t* rec, const Field& f, uint8_t v) { rec[f.offset] = v; }
void SetI8(uint8_t* rec, const Field& f, int8_t v) { rec[f.offset] = static_cast<uint8_t>(v); }
void SetU16(uint8_t* rec, const Field& f, uint16_t v) { store(rec + f.offset, v); }
void SetI16(uint8_t* rec, const Field& f, int16_t v) { store(rec + f.offset, v); }
void SetU32(uint8_t* rec, const Field& f, uint32_t v) { store(rec + f.offset, v); }
void SetI32(uint8_t* rec, const Field& f, int32_t v) { store(rec + f.offset, v); }
void SetF64(uint8_t* rec, const Field& f, double v) { store(rec + f.offset, v); }

void SetText(uint8_t* rec, const Field& f, std::string_view text)
{
    if (f.width == 0) return;
    const size_t room = f.width - 1;
    const size_t n = std::min(room, text.size());
    std::memcpy(rec + f.offset, text.data(), n);
    std::memset(rec + f.offset + n, ' ', room - n);
    rec[f.offset + room] = 0;
}

void SetTextUnpadded(uint8_t* rec, const Field& f, std::string_view text)
{
    if (f.width == 0) return;
    const size_t n = std::min<size_t>(f.width - 1, text.size());
    std::memset(rec + f.offset, 0, f.width);
    std::memcpy(rec + f.offset, text.data(), n);
}

}  // namespace kelo
