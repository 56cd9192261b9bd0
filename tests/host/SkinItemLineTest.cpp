#include "settings/SkinItemLine.h"

#include <gtest/gtest.h>

namespace glaze {
namespace {

TEST(SkinItemLine, ReadsNineFieldsAndIgnoresTheRest) {
    const auto item = ParseSkinItemLine(L"3,-40, 8,24,18,0,1,关闭,close.png,extra,more");
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(item->Action, 3);
    EXPECT_EQ(item->X, -40);
    EXPECT_EQ(item->Y, 8);
    EXPECT_EQ(item->Width, 24);
    EXPECT_EQ(item->Height, 18);
    EXPECT_EQ(item->Stretch, 0);
    EXPECT_EQ(item->Disabled, 1);
    EXPECT_EQ(item->Label, L"关闭");
    EXPECT_EQ(item->ImageFile, L"close.png");
}

TEST(SkinItemLine, PiecesAreNotTrimmedAndEmptyNumbersAreZero) {
    const auto item = ParseSkinItemLine(L",,,,,,, label , my image.png ");
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(item->Action, 0);
    EXPECT_EQ(item->Label, L" label ");
    EXPECT_EQ(item->ImageFile, L" my image.png ");
}

TEST(SkinItemLine, FewerThanNineFieldsOrAHugeNumberCannotBeLoaded) {
    EXPECT_FALSE(ParseSkinItemLine(L"0,1,2,3,4,5,6,label").has_value());
    EXPECT_FALSE(ParseSkinItemLine(L"").has_value());
    EXPECT_FALSE(ParseSkinItemLine(L"0,99999999999,2,3,4,5,6,l,f.png").has_value());
    EXPECT_TRUE(ParseSkinItemLine(L"0,1,2,3,4,5,6,l,").has_value());

    // The notes say which, for the skin checker.
    SkinItemLineNotes notes;
    ParseSkinItemLine(L"0,1,2,3,4,5,6,label", &notes);
    EXPECT_EQ(notes.FieldCount, 8u);
    EXPECT_EQ(notes.NumberField, -1);
    ParseSkinItemLine(L"0,1,2,99999999999,4,5,6,l,f.png", &notes);
    EXPECT_EQ(notes.FieldCount, 9u);
    EXPECT_EQ(notes.NumberField, 3);
}

TEST(SkinItemLine, HoldsPositionsAndSizesWithinTheCoordinateLimit) {
    SkinItemLineNotes notes;
    const auto item = ParseSkinItemLine(L"2147483647,2147483647,-2147483648,1073741824,-40000,"
                                        L"2147483647,-2147483648,l,f.png",
                                        &notes);
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(notes.HeldFields, 0b11110u); // x, y, width and height, for the skin checker
    EXPECT_EQ(item->X, SkinCoordinateLimit);
    EXPECT_EQ(item->Y, -SkinCoordinateLimit);
    EXPECT_EQ(item->Width, SkinCoordinateLimit);
    EXPECT_EQ(item->Height, -SkinCoordinateLimit);
    // Codes and flags are only compared, never added up: they stay as written.
    EXPECT_EQ(item->Action, 2147483647);
    EXPECT_EQ(item->Stretch, 2147483647);
    EXPECT_EQ(item->Disabled, -2147483647 - 1);
}

TEST(SkinItemLine, ItemsAreReadUpToTheFirstMissingOneAndNoFurtherThanTheBound) {
    int32_t asked = 0;
    const auto endless = [&](int32_t item) {
        asked = item;
        return L"line " + std::to_wstring(item);
    };
    const std::vector<std::wstring> lines = ReadItemLines(endless);
    ASSERT_EQ(lines.size(), size_t{MaxSkinItems});
    EXPECT_EQ(lines.back(), L"line 999");
    EXPECT_EQ(asked, MaxSkinItems - 1); // the items beyond are never asked for
    EXPECT_EQ(ReadItemLines([](int32_t item) { return item < 3 ? L"x" : L""; }).size(), 3u);
}

TEST(SkinItemLine, KeysNumberItemsWithoutLeadingZeros) {
    EXPECT_EQ(SkinItemKey(0), L"SKINNUM0");
    EXPECT_EQ(SkinItemKey(12), L"SKINNUM12");
}

} // namespace
} // namespace glaze
