#include "host/ui/CKDialler.h"

#include <gtest/gtest.h>

namespace kelo {
namespace {

TEST(CKDialler, TelLinkKeepsDigitsAndALeadingPlus)
{
    const std::vector<std::pair<const char*, const char*>> cases{
        {"01632 960 123", "tel:01632960123"},
        {"+44 (0)1632-960123", "tel:+4401632960123"},
        {"ext. 12+3", "tel:123"},
        {"", ""},
        {"n/a", ""},
        {"+", ""},
    };
    for (const auto& [number, link] : cases)
        EXPECT_EQ(CKDialler::TelLink(number), link) << number;
}

}  // namespace
}  // namespace kelo
