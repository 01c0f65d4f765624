#include "host/util/Text.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

TEST(FillUp, BuildsTheFieldBytes) {
    EXPECT_EQ(FillUp(std::string_view("1200"), 9), std::string("1200    \0", 9));
    EXPECT_EQ(FillUp(std::string_view("12345678"), 9), std::string("12345678\0", 9));
    EXPECT_EQ(FillUp(std::string_view("123456789"), 9), std::string("12345678\0", 9));
    EXPECT_EQ(FillUp(std::string_view(""), 3), std::string("  \0", 3));
    EXPECT_EQ(FillUp(std::string_view("AB\0CD", 5), 6), std::string("AB   \0", 6));
    EXPECT_EQ(FillUp(std::string_view("AB"), 1), std::string("\0", 1));
    EXPECT_EQ(FillUp(std::string_view("AB"), 0), "");
}

TEST(CleanUp, StripsTrailingSpacesOnly) {
    EXPECT_EQ(CleanUp(std::string_view("REF1    ")), "REF1");
    EXPECT_EQ(CleanUp(std::string_view("REF1    \0garbage", 16)), "REF1");
    EXPECT_EQ(CleanUp(std::string_view("        ")), "");
    EXPECT_EQ(CleanUp(std::string_view(" X\t ")), " X\t");
}

TEST(TranType, OneShortTextPerCode) {
    // Payments 11/13/17 and receipts 12/14/18 by bank, cash and card; on account 4 and 9.
    const char* expected[] = {"SI", "SC", "SR", "SA", "SD", "PI", "PC", "PP", "PA",
                              "PD", "BP", "BR", "CP", "CR", "JD", "JC", "VP", "VR"};
    for (int code = 1; code <= 18; ++code) EXPECT_STREQ(TranType(code), expected[code - 1]) << code;
    for (int code : {0, -1, 19, 255, 1000}) {
        ASSERT_NE(TranType(code), nullptr);
        EXPECT_STREQ(TranType(code), "") << code;
    }
}
