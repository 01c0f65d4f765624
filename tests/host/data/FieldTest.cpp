#include "host/data/Field.h"

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
    // A read without a terminator stops at the field's end.
    std::vector<uint8_t> full(12, 'Z');
    EXPECT_EQ(GetRawText(full.data(), kCode), std::string(9, 'Z'));
}

TEST(FieldNumbers, LittleEndianAtOddOffsets)
{
    std::vector<uint8_t> rec(16, 0);
    const Field u16{"u16", 1, 2, FieldType::U16};
    const Field u32{"u32", 3, 4, FieldType::U32};
    const Field f64{"f64", 7, 8, FieldType::F64};
    SetU16(rec.data(), u16, 0xBEEF);
    SetU32(rec.data(), u32, 0x01020304);
    SetF64(rec.data(), f64, -2.675);
    EXPECT_EQ(rec, (std::vector<uint8_t>{0, 0xEF, 0xBE, 0x04, 0x03, 0x02, 0x01, 0x66, 0x66, 0x66,
                                         0x66, 0x66, 0x66, 0x05, 0xC0, 0}));
    EXPECT_EQ(GetF64(rec.data(), f64), -2.675);
    EXPECT_EQ(GetI16(rec.data(), Field{"i16", 1, 2, FieldType::I16}), int16_t(0xBEEF));
    EXPECT_EQ(GetI8(rec.data(), Field{"i8", 2, 1, FieldType::I8}), int8_t(0xBE));
}

}  // namespace
}  // namespace kelo
