#include "PanelWindows.h"

#include "../win/TestSupport.h"
#include "platform/WindowTitles.h"
#include "settings/CommandLine.h"
#include "settings/HandOverFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace glaze::e2e {
namespace {

class FrameStart : public ::testing::Test {
protected:
    // Starts a frame process and watches it: true when it ended within the time without a
    // window of its own ever being visible.
    bool EndsWithoutAWindow(const std::wstring& argumentText) {
        Process frame(GlazeCommandLine(app, argumentText));
        bool shown = false;
        const bool ended = WaitUntil([&] {
            for (HWND window : frame.Windows()) {
                shown = shown || IsWindowVisible(window);
            }
            return !frame.Running();
        });
        return ended && !shown;
    }

    AppDir app;
    ScreenshotOnFailure screenshot;
};

TEST_F(FrameStart, NeverFramesTheProgramsOwnWindows) {
    app.CopyBundledSkins();
    Process panel(GlazeCommandLine(app, L""));
    ASSERT_NE(WaitForGlazeWindows(panel).Frame, nullptr);
    EXPECT_TRUE(EndsWithoutAWindow(L"模拟Glaze窗体*/A"));
    EXPECT_TRUE(EndsWithoutAWindow(L"  模拟Glaze窗体*  /B/q"));
}

TEST_F(FrameStart, EndsAtOnceWhenNoWindowHasTheTitle) {
    app.CopyBundledSkins();
    EXPECT_TRUE(EndsWithoutAWindow(L"没有这个窗口 no such window/A"));
    EXPECT_TRUE(EndsWithoutAWindow(L"x")); // too short to hold a separator and a letter
}

TEST_F(FrameStart, TakesTheWindowNamedBesideTheTitleAndOnlyWhileItStillHasTheTitle) {
    app.CopyBundledSkins();
    TargetProgram first(L"同名 Twin");
    TargetProgram second(L"同名 Twin");
    SetWindowPos(second.Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_EQ(ShownWindowTitled(L"同名 Twin"), second.Window()) << "the one taken by title alone";
    const auto named = [](HWND window) {
        const std::wstring handle = WindowHandleText(reinterpret_cast<uintptr_t>(window));
        SetEnvironmentVariableW(FrameWindowVariable, window ? handle.c_str() : nullptr);
    };

    named(first.Window());
    Process frame(GlazeCommandLine(app, L"同名 Twin/A"));
    named(nullptr);
    const GlazeWindows windows = WaitForGlazeWindows(frame);
    EXPECT_TRUE(
        WaitUntil([&] { return GetAncestor(first.Window(), GA_PARENT) == windows.Content; }));
    EXPECT_EQ(GetAncestor(second.Window(), GA_PARENT), GetDesktopWindow());
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(frame.WaitForExit(10s).has_value());

    // The named window does not have the title the frame was started for (any more): nothing is
    // taken, though other windows have that title.
    TargetProgram renamed(L"改了标题 Renamed");
    named(renamed.Window());
    EXPECT_TRUE(EndsWithoutAWindow(L"同名 Twin/A"));
    named(nullptr);
    EXPECT_EQ(GetAncestor(first.Window(), GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetAncestor(second.Window(), GA_PARENT), GetDesktopWindow());
}

TEST_F(FrameStart, DeletesAStaleHandOverFile) {
    app.CopyBundledSkins();
    const std::wstring handOver = HandOverPath();
    test::WriteAnsiFile(handOver, L"[SETTING]\r\nSetReCaption=old - 模拟Glaze窗体*\r\n");
    EXPECT_TRUE(EndsWithoutAWindow(L"没有这个窗口/A"));
    EXPECT_FALSE(std::filesystem::exists(handOver));
}

TEST_F(FrameStart, CaptionsItsFrameAfterTheTitleAndNeverTouchesTheSettings) {
    app.CopyBundledSkins();
    test::WriteAnsiFile(app.MysetIni(), L"[SETTING]\r\nSAVE=1\r\nAPPSTYL=2\r\n");
    TargetProgram target(L"被框的程序 Target");
    ASSERT_NE(target.Window(), nullptr);

    Process frame(GlazeCommandLine(app, L" 被框的程序 Target /B"));
    const GlazeWindows windows = WaitForGlazeWindows(frame);
    ASSERT_NE(windows.Frame, nullptr);
    EXPECT_EQ(TextOf(windows.Frame), L"被框的程序 Target - 模拟Glaze窗体*");
    EXPECT_EQ(GetWindowLongPtrW(windows.Frame, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(frame.WaitForExit(10s).has_value());
    EXPECT_EQ(test::ReadRawFile(app.MysetIni()), "[SETTING]\r\nSAVE=1\r\nAPPSTYL=2\r\n");
}

} // namespace
} // namespace glaze::e2e
