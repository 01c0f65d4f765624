#include "host/data/Field.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kelo {
namespace {

// A 9-byte text between two neighbours, to see that writes stay inside their field.
constexpr Field kBefore{"before", 0, 2, FieldType::U16};
constexpr Field kCode{"code", 2, 9, FieldType::Text};
constexpr Field kAfter{"after", 11, 1, FieldType::U8};

struct TextCase {
    const char* written;
    const char* raw;    // what GetRawText sees
    const char* clean;  // what GetText gives back
};

TEST(FieldText, PadsCutsAndStrips)
{
    const TextCase cases[] = {
        {"", "        ", ""},
        {"AB", "AB      ", "AB"},
        {"ABCDEFGH", "ABCDEFGH", "ABCDEFGH"},   // exactly width - 1
        {"ABCDEFGHI", "ABCDEFGH", "ABCDEFGH"},  // one too many: cut at width - 1
        {"ABCDEFGHIJKLMN", "ABCDEFGH", "ABCDEFGH"},
        {"A B  ", "A B     ", "A B"},  // inner spaces kept, trailing ones stripped
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.written);
        std::vector<uint8_t> rec(12, 0xAA);
        SetText(rec.data(), kCode, c.written);
        EXPECT_EQ(rec[kCode.offset + kCode.width - 1], 0) << "terminator at width - 1";
        EXPECT_EQ(GetRawText(rec.data(), kCode), c.raw);
        EXPECT_EQ(GetText(rec.data(), kCode), c.clean);
        EXPECT_EQ(rec[1], 0xAA);
        EXPECT_EQ(rec[kAfter.offset], 0xAA);
    }
}

// Unpadded text is zero-filled; a read without a terminator stops at the field's end.
TEST(FieldText, UnpaddedTextIsZeroFilledAndReadsStopAtTheFieldEnd)
{
    std::vector<uint8_t> rec(12, 0xAA);
    SetTextUnpadded(rec.data(), kCode, "AB");
    EXPECT_EQ(GetRawText(rec.data(), kCode), "AB");
    for (uint32_t i = 2; i < kCode.width; ++i) EXPECT_EQ(rec[kCode.offset + i], 0) << i;
    EXPECT_EQ(rec[kAfter.offset], 0xAA);
    SetTextUnpadded(rec.data(), kCode, "ABCDEFGHIJ");
    EXPECT_EQ(GetRawText(rec.data(), kCode), "ABCDEFGH");

    std::fill(rec.begin(), rec.end(), 'Z');
    EXPECT_EQ(GetRawText(rec.data(), kCode), std::string(9, 'Z'));
}

TEST(FieldNumbers, RoundTripLittleEndianAtOddOffsets)
{
    std::vector<uint8_t> rec(32, 0);
    const Field u16{"u16", 1, 2, FieldType::U16};
    const Field i16{"i16", 3, 2, FieldType::I16};
    const Field u32{"u32", 5, 4, FieldType::U32};
    const Field i32{"i32", 9, 4, FieldType::I32};
    const Field f64{"f64", 13, 8, FieldType::F64};
    const Field i8{"i8", 21, 1, FieldType::I8};
    SetU16(rec.data(), u16, 0xBEEF);
    SetI16(rec.data(), i16, -2);
    SetU32(rec.data(), u32, 0x01020304);
    SetI32(rec.data(), i32, -1);
    SetF64(rec.data(), f64, -2.675);
    SetI8(rec.data(), i8, -3);
    EXPECT_EQ(rec[1], 0xEF);
    EXPECT_EQ(rec[2], 0xBE);
    EXPECT_EQ(rec[5], 0x04);
    EXPECT_EQ(rec[8], 0x01);
    EXPECT_EQ(GetU16(rec.data(), u16), 0xBEEF);
    EXPECT_EQ(GetI16(rec.data(), i16), -2);
    EXPECT_EQ(GetU32(rec.data(), u32), 0x01020304u);
    EXPECT_EQ(GetI32(rec.data(), i32), -1);
    EXPECT_EQ(GetF64(rec.data(), f64), -2.675);
    EXPECT_EQ(GetI8(rec.data(), i8), -3);
    EXPECT_EQ(GetU8(rec.data(), i8), 253);
    EXPECT_EQ(rec[0], 0);
    EXPECT_EQ(rec[22], 0);
}

}  // namespace
}  // namespace kelo
