#include "host/data/Layouts.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kelo {
namespace {

uint32_t NaturalWidth(FieldType t)
{
    switch (t) {
    case FieldType::U8:
    case FieldType::I8: return 1;
    case FieldType::U16:
    case FieldType::I16: return 2;
    case FieldType::U32:
    case FieldType::I32: return 4;
    case FieldType::F64: return 8;
    case FieldType::Text:
    case FieldType::Bytes: return 0;
    }
    return 0;
}

class EveryLayout : public testing::TestWithParam<const Layout*> {};

TEST_P(EveryLayout, FieldsHaveTheirTypesWidthInsideTheRecordWithoutOverlap)
{
    const Layout& layout = *GetParam();
    std::vector<Field> fields(layout.fields.begin(), layout.fields.end());
    ASSERT_FALSE(fields.empty());
    std::sort(fields.begin(), fields.end(),
              [](const Field& a, const Field& b) { return a.offset < b.offset; });
    for (size_t i = 0; i < fields.size(); ++i) {
        const Field& f = fields[i];
        if (const uint32_t natural = NaturalWidth(f.type)) {
            EXPECT_EQ(f.width, natural) << f.name;
        }
        EXPECT_GT(f.width, 0u) << f.name;
        EXPECT_LE(f.offset + f.width, layout.length) << f.name << " runs past the record end";
        if (i > 0) {
            const Field& prev = fields[i - 1];
            EXPECT_LE(prev.offset + prev.width, f.offset) << prev.name << " overlaps " << f.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, EveryLayout, testing::ValuesIn(AllLayouts()),
                         [](const testing::TestParamInfo<const Layout*>& info) {
                             return std::string(info.param->name);
                         });

}  // namespace
}  // namespace kelo
