#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kelo {

// How a field's bytes are read. Records are little-endian; text is NUL-terminated inside its width.
enum class FieldType { Text, Bytes, U8, I8, U16, I16, U32, I32, F64 };

struct Field {
    const char* name;  // stable name used by kelo-data dump/import and docs/data-format.md
    uint32_t offset;
    uint32_t width;
    FieldType type;
};

// A record layout: its length and named fields. No other code spells an offset.
struct Layout {
    const char* name;
    uint32_t length;
    std::span<const Field> fields;

    // nullptr when there is no field of that name.
    const Field* Find(std::string_view fieldName) const;
};

// Typed accessors over a record buffer. The caller guarantees the buffer holds the whole layout.
uint8_t GetU8(const uint8_t* rec, const Field& f);
int8_t GetI8(const uint8_t* rec, const Field& f);
uint16_t GetU16(const uint8_t* rec, const Field& f);
int16_t GetI16(const uint8_t* rec, const Field& f);
uint32_t GetU32(const uint8_t* rec, const Field& f);
int32_t GetI32(const uint8_t* rec, const Field& f);
double GetF64(const uint8_t* rec, const Field& f);
// The text up to its terminator (or the field's width), trailing spaces kept.
std::string GetRawText(const uint8_t* rec, const Field& f);
// The text with trailing spaces removed (the host's CleanUp).
std::string GetText(const uint8_t* rec, const Field& f);

void SetU8(uint8_t* rec, const Field& f, uint8_t v);
void SetI8(uint8_t* rec, const Field& f, int8_t v);
void SetU16(uint8_t* rec, const Field& f, uint16_t v);
void SetI16(uint8_t* rec, const Field& f, int16_t v);
void SetU32(uint8_t* rec, const Field& f, uint32_t v);
void SetI32(uint8_t* rec, const Field& f, int32_t v);
void SetF64(uint8_t* rec, const Field& f, double v);
// Writes the text cut to width-1, space-padded to width-1 and NUL-terminated (the host's FillUp).
void SetText(uint8_t* rec, const Field& f, std::string_view text);
// Writes the text cut to width-1 and NUL-terminated, the rest zero (no padding).
void SetTextUnpadded(uint8_t* rec, const Field& f, std::string_view text);

}  // namespace kelo
