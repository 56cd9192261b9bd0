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

TEST_F(FrameStart, TakesTheWindowNamedBesideTheTitleWhateverItsTitleIsNowButOnlyThatWindow) {
    app.CopyBundledSkins();
    TargetProgram first(L"同名 Twin");
    TargetProgram second(L"同名 Twin");
    SetWindowPos(second.Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_EQ(ShownWindowTitled(L"同名 Twin"), second.Window()) << "the one taken by title alone";
    // The window, and the thread that made it: thread 0 names none.
    const auto named = [](HWND window, DWORD thread) {
        const std::wstring extras =
            FrameExtrasText({reinterpret_cast<uintptr_t>(window), thread, false, 100});
        SetEnvironmentVariableW(FrameExtrasVariable, window ? extras.c_str() : nullptr);
    };
    const auto threadOf = [](HWND window) { return GetWindowThreadProcessId(window, nullptr); };
    const auto framedBy = [&](const std::wstring& argumentText, const TargetProgram& target) {
        Process frame(GlazeCommandLine(app, argumentText));
        const GlazeWindows windows = WaitForGlazeWindows(frame);
        const bool taken =
            WaitUntil([&] { return GetAncestor(target.Window(), GA_PARENT) == windows.Content; });
        PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
        return taken && frame.WaitForExit(10s).has_value();
    };

    named(first.Window(), threadOf(first.Window()));
    EXPECT_TRUE(framedBy(L"同名 Twin/A", first));
    EXPECT_EQ(GetAncestor(second.Window(), GA_PARENT), GetDesktopWindow());

    // Its title changed between the match and the frame's start (a console running a command):
    // still the window the frame was started for.
    TargetProgram renamed(L"改了标题 Renamed");
    named(renamed.Window(), threadOf(renamed.Window()));
    EXPECT_TRUE(framedBy(L"同名 Twin/A", renamed));

    // A handle that some other thread's window has now is not the window.
    named(first.Window(), threadOf(first.Window()) + 1);
    EXPECT_TRUE(EndsWithoutAWindow(L"同名 Twin/A"));
    named(nullptr, 0);
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
