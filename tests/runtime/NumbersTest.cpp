#include <gtest/gtest.h>

#include <cmath>

#include "runtime/Numbers.h"

using namespace runtime;

TEST(LeadingNumber, ReadsUpToTheFirstCharacterThatCannotContinueANumber) {
    const std::pair<const char*, double> cases[] = {
        {" 12abc", 12}, {"1 2", 12},  {"-3.5e1x", -35}, {"2.5D2", 250},     {"1.2.3", 1.2},
        {"4e+x", 4},    {"&H1F", 31}, {"&O18", 1},      {"&HFFFF", -1},     {"abc", 0},
        {"-", 0},       {"&X12", 0},  {"\t7", 7},       {"&H8000", -32768},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(LeadingNumber(text), expected) << text;
    EXPECT_TRUE(std::isinf(LeadingNumber("1e999")));
}

TEST(RoundHalfEven, SendsHalvesToTheEvenNeighbourAndChecksTheRange) {
    for (auto [value, rounded] : {std::pair{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.5000001, 3}})
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
    EXPECT_EQ(ToInt32HalfEven(-2147483648.5), -2147483648LL);
    EXPECT_EQ(ToInt32HalfEven(2147483647.0), 2147483647);
    EXPECT_FALSE(ToInt32HalfEven(2147483647.5).has_value());
    EXPECT_FALSE(ToInt32HalfEven(std::nan("")).has_value());
}
