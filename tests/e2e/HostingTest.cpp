#include "PanelWindows.h"

#include <gtest/gtest.h>

namespace glaze::e2e {
namespace {

class Hosting : public ::testing::Test {
protected:
    void SetUp() override { app.CopyBundledSkins(); }

    AppDir app;
    ScreenshotOnFailure screenshot;
};

RECT WindowRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

TEST_F(Hosting, TakesTheWindowInWhereItsClientAreaWasAndGivesItBackWhereTheFrameLeftIt) {
    TargetProgram target(L"被框的程序 Hosted");
    ASSERT_NE(target.Window(), nullptr);
    SetWindowPos(target.Window(), nullptr, 200, 150, 420, 320, SWP_NOZORDER);
    const RECT clientBefore = ClientRectOnScreen(target.Window());
    const LONG styleBefore = GetWindowLongW(target.Window(), GWL_STYLE);

    Process frame(GlazeCommandLine(app, L"被框的程序 Hosted/A"));
    const GlazeWindows windows = WaitForGlazeWindows(frame);
    ASSERT_NE(windows.Frame, nullptr);
    ASSERT_TRUE(
        WaitUntil([&] { return GetAncestor(target.Window(), GA_PARENT) == windows.Content; }));
    EXPECT_EQ(GetWindowLongW(target.Window(), GWL_STYLE), WS_VISIBLE | WS_CLIPSIBLINGS);
    const RECT content = ClientRectOnScreen(windows.Content);
    EXPECT_EQ(content.left, clientBefore.left);
    EXPECT_EQ(content.top, clientBefore.top);
    EXPECT_EQ(content.right, clientBefore.right);
    EXPECT_EQ(content.bottom, clientBefore.bottom);
    // The captured window fills the content window.
    const RECT hosted = WindowRectOf(target.Window());
    EXPECT_EQ(hosted.left, content.left);
    EXPECT_EQ(hosted.right - hosted.left, content.right - content.left);

    // The user moves and enlarges the frame; the content window and the window follow.
    RECT frameRect = WindowRectOf(windows.Frame);
    SetWindowPos(windows.Frame, nullptr, frameRect.left + 40, frameRect.top + 30,
                 frameRect.right - frameRect.left + 100, frameRect.bottom - frameRect.top + 60,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT moved = ClientRectOnScreen(windows.Content);
    EXPECT_EQ(moved.right - moved.left, content.right - content.left + 100);
    ASSERT_TRUE(WaitUntil([&] {
        const RECT now = WindowRectOf(target.Window());
        return now.right - now.left == moved.right - moved.left;
    }));

    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(frame.WaitForExit(10s).has_value());
    // Given back, then minimised and restored once by posted commands: wait for it to settle
    // where the content window's client area was.
    const auto settled = [&] {
        const RECT now = ClientRectOnScreen(target.Window());
        return target.LogContains("SYSCOMMAND 0xf120") && !IsIconic(target.Window()) &&
               now.left == moved.left && now.top == moved.top;
    };
    EXPECT_TRUE(WaitUntil(settled)) << target.LogText();
    EXPECT_EQ(GetAncestor(target.Window(), GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetWindowLongW(target.Window(), GWL_STYLE) & ~WS_MINIMIZE, styleBefore);
    const RECT clientAfter = ClientRectOnScreen(target.Window());
    EXPECT_EQ(clientAfter.left, moved.left);
    EXPECT_EQ(clientAfter.top, moved.top);
    EXPECT_EQ(clientAfter.right - clientAfter.left, moved.right - moved.left);
    EXPECT_EQ(clientAfter.bottom - clientAfter.top, moved.bottom - moved.top);
    EXPECT_TRUE(target.LogContains("SYSCOMMAND 0xf020"));
    EXPECT_FALSE(target.LogContains("LOST DATA"));
    EXPECT_TRUE(target.Proc().Running());
}

TEST_F(Hosting, WithTheQuitOptionTheProgramIsToldToQuit) {
    TargetProgram target(L"被框的程序 Quits");
    ASSERT_NE(target.Window(), nullptr);
    Process frame(GlazeCommandLine(app, L"被框的程序 Quits/B/q"));
    const GlazeWindows windows = WaitForGlazeWindows(frame);
    ASSERT_NE(windows.Frame, nullptr);
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(frame.WaitForExit(10s).has_value());
    EXPECT_TRUE(target.Proc().WaitForExit(10s).has_value());
    EXPECT_TRUE(target.LogContains("QUIT"));
    EXPECT_FALSE(target.LogContains("SYSCOMMAND 0xf020"));
}

} // namespace
} // namespace glaze::e2e
