#include "lifecycle/ModFindTitle.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace glaze {
namespace {

using ModFindTitle::FindTitle;

TEST(FindTitle, FindsVisibleAndHiddenWindowsByExactTitle) {
    test::PlainWindow visible(L"查找 visible 窗口", true);
    test::PlainWindow hidden(L"查找 hidden 窗口", false);
    EXPECT_TRUE(FindTitle(L"查找 visible 窗口"));
    EXPECT_TRUE(FindTitle(L"查找 hidden 窗口"));
}

TEST(FindTitle, NeitherTrimsNorIgnoresCaseNorMatchesPrefixes) {
    test::PlainWindow window(L" Padded Title ", true);
    EXPECT_TRUE(FindTitle(L" Padded Title "));
    EXPECT_FALSE(FindTitle(L"Padded Title"));
    EXPECT_FALSE(FindTitle(L" padded title "));
    EXPECT_FALSE(FindTitle(L" Padded"));
    EXPECT_FALSE(FindTitle(L" Padded Title  x"));
}

TEST(FindTitle, AnEmptyTitleOrAClosedWindowIsNotFound) {
    test::PlainWindow untitled(L"", true);
    EXPECT_FALSE(FindTitle(L""));
    {
        test::PlainWindow gone(L"closing soon 即将关闭", true);
        EXPECT_TRUE(FindTitle(L"closing soon 即将关闭"));
    }
    EXPECT_FALSE(FindTitle(L"closing soon 即将关闭"));
}

} // namespace
} // namespace glaze
