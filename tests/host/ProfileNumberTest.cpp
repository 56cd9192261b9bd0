#include "settings/ProfileNumber.h"

#include <gtest/gtest.h>

namespace glaze {
namespace {

TEST(ProfileNumber, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(ProfileNumber(L"2.5"), 2);
    EXPECT_EQ(ProfileNumber(L"3.5"), 4);
    EXPECT_EQ(ProfileNumber(L"-2.5"), -2);
    EXPECT_EQ(ProfileNumber(L"-3.5"), -4);
    EXPECT_EQ(ProfileNumber(L"2.51"), 3);
    EXPECT_EQ(ProfileNumber(L"0.5"), 0);
}

TEST(ProfileNumber, ReadsTheLeadingNumberAndSkipsBlanksInsideIt) {
    EXPECT_EQ(ProfileNumber(L"3"), 3);
    EXPECT_EQ(ProfileNumber(L" 2 "), 2);
    EXPECT_EQ(ProfileNumber(L"1 2 3"), 123);
    EXPECT_EQ(ProfileNumber(L"\t-4\t0"), -40);
    EXPECT_EQ(ProfileNumber(L"12abc"), 12);
    EXPECT_EQ(ProfileNumber(L"7,8"), 7);
    EXPECT_EQ(ProfileNumber(L".5"), 0);
    EXPECT_EQ(ProfileNumber(L"1.5e1"), 15);
    EXPECT_EQ(ProfileNumber(L"3e"), 3); // an exponent without digits is not part of the number
    EXPECT_EQ(ProfileNumber(L"+8"), 8);
}

TEST(ProfileNumber, NonNumericTextIsZero) {
    EXPECT_EQ(ProfileNumber(L""), 0);
    EXPECT_EQ(ProfileNumber(L"abc"), 0);
    EXPECT_EQ(ProfileNumber(L"   "), 0);
    EXPECT_EQ(ProfileNumber(L"-"), 0);
    EXPECT_EQ(ProfileNumber(L"."), 0);
    EXPECT_EQ(ProfileNumber(L"是"), 0);
}

TEST(ProfileNumber, NumbersBeyondThirtyTwoBitsHaveNoValue) {
    EXPECT_EQ(TryProfileNumber(L"2147483647"), 2147483647);
    EXPECT_EQ(TryProfileNumber(L"-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(TryProfileNumber(L"2147483648").has_value());
    EXPECT_FALSE(TryProfileNumber(L"-1e300").has_value());
    EXPECT_EQ(ProfileNumber(L"99999999999"), 0);
}

} // namespace
} // namespace glaze
