#include "host/util/Money.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include <gtest/gtest.h>

struct RoundCase {
    double x;
    int places;
    double expected;
};

class RoundTable : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundTable, HalvesGoAwayFromZeroAsWritten) {
    const RoundCase& c = GetParam();
    const double result = Round(c.x, c.places);
    EXPECT_EQ(result, c.expected) << "Round(" << c.x << ", " << c.places << ")";
    EXPECT_FALSE(std::signbit(result) && result == 0.0) << "negative zero for " << c.x;
}

INSTANTIATE_TEST_SUITE_P(HalfWay, RoundTable,
                         testing::Values(RoundCase{1.005, 2, 1.01}, RoundCase{-2.675, 2, -2.68},
                                         RoundCase{0.125, 2, 0.13}, RoundCase{8.345, 2, 8.35},
                                         RoundCase{2.5, 0, 3.0}, RoundCase{-2.5, 0, -3.0},
                                         RoundCase{0.5, 0, 1.0}, RoundCase{1.5, 0, 2.0},
                                         RoundCase{0.0005, 3, 0.001}, RoundCase{0.005, 2, 0.01},
                                         RoundCase{-0.005, 2, -0.01}));

INSTANTIATE_TEST_SUITE_P(NotHalfWay, RoundTable,
                         testing::Values(RoundCase{1.004, 2, 1.0}, RoundCase{1.0049, 2, 1.0},
                                         RoundCase{-1.0049, 2, -1.0}, RoundCase{0.1 + 0.2, 2, 0.3},
                                         RoundCase{117.5 - 50.0, 2, 67.5},
                                         RoundCase{99.999, 2, 100.0}, RoundCase{-99.995, 2, -100.0},
                                         RoundCase{0.004, 2, 0.0}, RoundCase{-0.004, 2, 0.0},
                                         RoundCase{0.0, 2, 0.0}, RoundCase{-0.0, 2, 0.0},
                                         RoundCase{1e-12, 2, 0.0}, RoundCase{-1e-12, 2, 0.0},
                                         RoundCase{2.4, 0, 2.0}, RoundCase{1234.5678, 1, 1234.6},
                                         RoundCase{1234.5678, -3, 1235.0}));

INSTANTIATE_TEST_SUITE_P(LargeValues, RoundTable,
                         testing::Values(RoundCase{12345678.905, 2, 12345678.91},
                                         RoundCase{-12345678.905, 2, -12345678.91},
                                         RoundCase{999999999.995, 2, 1000000000.0},
                                         RoundCase{1234567890123.455, 2, 1234567890123.46},
                                         RoundCase{1e15, 2, 1e15}, RoundCase{1e300, 2, 1e300},
                                         RoundCase{-1e300, 2, -1e300}));

TEST(Round, SumsOfTwoPlaceAmountsStayOnTheCent) {
    // Adding cents in binary drifts; every total must come back as the decimal sum.
    double total = 0.0;
    for (int cents = 1; cents <= 10000; ++cents) {
        total = Round(total + cents / 100.0, 2);
        const double expected = static_cast<double>(cents) * (cents + 1) / 2 / 100.0;
        ASSERT_EQ(total, expected) << cents;
    }
}

TEST(Round, EveryHalfCentBelowTenRoundsUp) {
    for (int mills = 5; mills < 10000; mills += 10) {
        char text[32];
        std::snprintf(text, sizeof text, "%d.%03d", mills / 1000, mills % 1000);
        const double x = std::strtod(text, nullptr);
        const double expected = (mills + 5) / 10 / 100.0;
        ASSERT_EQ(Round(x, 2), expected) << text;
        ASSERT_EQ(Round(-x, 2), -expected) << text;
    }
}

TEST(Round, NonFiniteComeBackUnchanged) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Round(inf, 2), inf);
    EXPECT_EQ(Round(-inf, 2), -inf);
    EXPECT_TRUE(std::isnan(Round(std::nan(""), 2)));
}

TEST(NormaliseZero, ValuesThatPrintAsZeroBecomePositiveZero) {
    char text[32];
    for (double x : {-0.0, -0.001, -0.0049, 0.0049, -1e-9, 1e-12}) {
        const double result = NormaliseZero(x);
        EXPECT_EQ(result, 0.0) << x;
        EXPECT_FALSE(std::signbit(result)) << x;
        std::snprintf(text, sizeof text, "%.*f", 2, result);
        EXPECT_STREQ(text, "0.00") << x;
    }
    for (double x : {-0.005, 0.005, -0.01, 12.34, -12.34}) {
        EXPECT_EQ(NormaliseZero(x), x);
    }
    EXPECT_EQ(NormaliseZero(-0.04, 1), 0.0);
    EXPECT_EQ(NormaliseZero(-0.05, 1), -0.05);
}

TEST(IsPositiveAmount, ThresholdIsFiveBillionths) {
    EXPECT_FALSE(IsPositiveAmount(0.0));
    EXPECT_FALSE(IsPositiveAmount(0.000000005));
    EXPECT_FALSE(IsPositiveAmount(-1.0));
    EXPECT_TRUE(IsPositiveAmount(0.000000006));
    EXPECT_TRUE(IsPositiveAmount(0.01));
}
