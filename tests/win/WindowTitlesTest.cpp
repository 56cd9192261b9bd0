#include "platform/WindowTitles.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace glaze {
namespace {

TEST(TitleExists, FindsVisibleAndHiddenWindowsByExactTitle) {
    test::PlainWindow visible(L"查找 visible 窗口", true);
    test::PlainWindow hidden(L"查找 hidden 窗口", false);
    EXPECT_TRUE(TitleExists(L"查找 visible 窗口"));
    EXPECT_TRUE(TitleExists(L"查找 hidden 窗口"));
    // The window a frame takes is a shown one.
    EXPECT_EQ(ShownWindowTitled(L"查找 visible 窗口"), visible.Hwnd());
    EXPECT_EQ(ShownWindowTitled(L"查找 hidden 窗口"), nullptr);
}

TEST(TitleExists, NeitherTrimsNorIgnoresCaseNorMatchesPrefixes) {
    test::PlainWindow window(L" Padded Title ", true);
    EXPECT_TRUE(TitleExists(L" Padded Title "));
    EXPECT_FALSE(TitleExists(L"Padded Title"));
    EXPECT_FALSE(TitleExists(L" padded title "));
    EXPECT_FALSE(TitleExists(L" Padded"));
    EXPECT_FALSE(TitleExists(L" Padded Title  x"));
}

TEST(TitleExists, AnEmptyTitleOrAClosedWindowIsNotFound) {
    test::PlainWindow untitled(L"", true);
    EXPECT_FALSE(TitleExists(L""));
    {
        test::PlainWindow gone(L"closing soon 即将关闭", true);
        EXPECT_TRUE(TitleExists(L"closing soon 即将关闭"));
    }
    EXPECT_FALSE(TitleExists(L"closing soon 即将关闭"));
}

} // namespace
} // namespace glaze
