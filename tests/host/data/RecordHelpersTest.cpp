#include <vector>

#include <gtest/gtest.h>

#include "host/data/TaxControlRecord.h"

namespace kelo {
namespace {

TEST(TaxControl, RateOfEachCodeHasItsOwnSlot)
{
    std::vector<uint8_t> rec(kTaxControlLength, 0);
    for (int code = 0; code < 100; ++code) SetTaxRate(rec.data(), code, code + 0.5);
    for (int code = 0; code < 100; ++code) EXPECT_EQ(TaxRate(rec.data(), code), code + 0.5) << code;
    // Codes outside T0-T99 read as 0 and write nothing.
    const std::vector<uint8_t> before = rec;
    SetTaxRate(rec.data(), 100, 99.0);
    SetTaxRate(rec.data(), -1, 99.0);
    EXPECT_EQ(rec, before);
    EXPECT_EQ(TaxRate(rec.data(), 100), 0.0);
    EXPECT_EQ(TaxRate(rec.data(), -1), 0.0);
}

}  // namespace
}  // namespace kelo
