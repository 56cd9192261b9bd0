#include "frame/FrameGeometry.h"
#include "lifecycle/ArgumentText.h"

#include <gtest/gtest.h>

namespace glaze {
namespace {

ScreenFacts Screen(PixelRect taskbar) {
    return {1280, 800, taskbar, 760};
}

TEST(MaximisedFrameHeight, ReachesTheTopOfATaskbarDockedAtTheBottom) {
    EXPECT_EQ(MaximisedFrameHeight(Screen({0, 760, 1280, 40})), 760);
    EXPECT_EQ(MaximisedFrameHeight(Screen({0, 770, 1280, 40})), 770); // partly off screen
}

TEST(MaximisedFrameHeight, UsesTheWorkAreaWhenTheTaskbarCannotSayIt) {
    EXPECT_EQ(MaximisedFrameHeight(Screen({})), 760);                 // none, or empty
    EXPECT_EQ(MaximisedFrameHeight(Screen({0, 0, 1280, 40})), 760);   // docked at the top
    EXPECT_EQ(MaximisedFrameHeight(Screen({0, 0, 60, 800})), 760);    // on the left
    EXPECT_EQ(MaximisedFrameHeight(Screen({1220, 0, 60, 800})), 760); // on the right
    EXPECT_EQ(MaximisedFrameHeight(Screen({0, 798, 1280, 2})), 798);  // auto-hidden at the bottom
}

TEST(FrameSizeAround, AddsTheBordersUpToTheScreenSize) {
    const ScreenFacts screen = Screen({});
    const OuterSize panel = FrameSizeAround(350, 240, 24, 42, screen);
    EXPECT_EQ(panel.Width, 374);
    EXPECT_EQ(panel.Height, 282);
    const OuterSize large = FrameSizeAround(1270, 790, 24, 42, screen);
    EXPECT_EQ(large.Width, 1280);
    EXPECT_EQ(large.Height, 800);
    // Borders of any size: never more than the screen, never less than nothing.
    const OuterSize huge = FrameSizeAround(2147483647, 100, 65534, -2147483647, screen);
    EXPECT_EQ(huge.Width, 1280);
    EXPECT_EQ(huge.Height, 0);
}

TEST(ArgumentText, IsEverythingAfterTheProgramNameAndItsBlanks) {
    EXPECT_EQ(ArgumentTextOf(L"glaze.exe"), L"");
    EXPECT_EQ(ArgumentTextOf(L"C:\\glaze\\glaze.exe 记事本/A"), L"记事本/A");
    EXPECT_EQ(ArgumentTextOf(L"\"C:\\Program Files\\glaze.exe\"  记事本 /B/q"), L"记事本 /B/q");
    EXPECT_EQ(ArgumentTextOf(L"\"C:\\a b\\glaze.exe\""), L"");
    EXPECT_EQ(ArgumentTextOf(L"glaze.exe a  b /C "), L"a  b /C ");
}

} // namespace
} // namespace glaze
