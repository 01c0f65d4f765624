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

TEST(CKDialler, ARecordingDiallerReceivesEveryArgument)
{
    std::vector<CKDialler::Request> dialled;
    auto previous = CKDialler::SetDialler(
        [&](QWidget*, const CKDialler::Request& r) { dialled.push_back(r); });
    CKDialler::KCDialNumber(nullptr, "01632 960123", "Supplier", "Acme Ltd J Smith", "COM1",
                            "ATDT", "", 30);
    CKDialler::SetDialler(previous);
    ASSERT_EQ(dialled.size(), 1u);
    EXPECT_EQ(dialled[0].number, "01632 960123");
    EXPECT_EQ(dialled[0].kind, "Supplier");
    EXPECT_EQ(dialled[0].name, "Acme Ltd J Smith");
    EXPECT_EQ(dialled[0].modemPort, "COM1");
    EXPECT_EQ(dialled[0].dialPrefix, "ATDT");
    EXPECT_EQ(dialled[0].text, "");
    EXPECT_EQ(dialled[0].delay, 30);
}

}  // namespace
}  // namespace kelo
