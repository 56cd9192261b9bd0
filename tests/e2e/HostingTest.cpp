#include "FrameMouseFixture.h"
#include "MouseSupport.h"
#include "PanelWindows.h"
#include "platform/AnsiText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

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
    // Given back where the content window's client area was.
    const auto settled = [&] {
        const RECT now = ClientRectOnScreen(target.Window());
        return target.LogContains("PARENT 0x0") && now.left == moved.left && now.top == moved.top;
    };
    EXPECT_TRUE(WaitUntil(settled)) << target.LogText();
    EXPECT_EQ(GetAncestor(target.Window(), GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetWindowLongW(target.Window(), GWL_STYLE) & ~WS_MINIMIZE, styleBefore);
    const RECT clientAfter = ClientRectOnScreen(target.Window());
    EXPECT_EQ(clientAfter.left, moved.left);
    EXPECT_EQ(clientAfter.top, moved.top);
    EXPECT_EQ(clientAfter.right - clientAfter.left, moved.right - moved.left);
    EXPECT_EQ(clientAfter.bottom - clientAfter.top, moved.bottom - moved.top);
    EXPECT_FALSE(target.LogContains("LOST DATA"));
    EXPECT_TRUE(target.Proc().Running());
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

TEST_F(Hosting, AMaximisedProgramComesUpInAMaximisedFrameAndGoesBackMaximised) {
    TargetProgram target(L"最大化的程序 Maximised");
    ASSERT_NE(target.Window(), nullptr);
    ShowWindow(target.Window(), SW_MAXIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsZoomed(target.Window()) != FALSE; }));

    Process frame(GlazeCommandLine(app, L"最大化的程序 Maximised/A"));
    const GlazeWindows windows = WaitForGlazeWindows(frame);
    ASSERT_NE(windows.Frame, nullptr);
    EXPECT_TRUE(WaitUntil([&] {
        return IsZoomed(windows.Frame) && SameRect(WindowRectOf(windows.Frame), WorkArea());
    })) << "frame at "
        << WindowRectOf(windows.Frame).left << "," << WindowRectOf(windows.Frame).top;
    // The program fills the content window on the frame's interior.
    EXPECT_TRUE(WaitUntil([&] {
        return SameRect(WindowRectOf(target.Window()), ClientRectOnScreen(windows.Content));
    }));
    EXPECT_EQ(ClientRectOnScreen(windows.Content).top - WorkArea().top, AuroraMargins.Top);

    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(frame.WaitForExit(10s).has_value());
    EXPECT_TRUE(WaitUntil([&] {
        return GetAncestor(target.Window(), GA_PARENT) == GetDesktopWindow() &&
               IsZoomed(target.Window());
    })) << target.LogText();
    // Maximised as the system lays it out: its client area across the whole work area.
    EXPECT_TRUE(WaitUntil([&] {
        const RECT client = ClientRectOnScreen(target.Window());
        return client.left == WorkArea().left && client.right == WorkArea().right &&
               client.bottom == WorkArea().bottom;
    }));
    EXPECT_FALSE(target.LogContains("LOST DATA"));
}

TEST_F(Hosting, AWindowPartlyOffTheScreenGetsItsFrameInReachAndGoesBackWhereItWas) {
    TargetProgram target(L"一半在外面 Off screen");
    ASSERT_NE(target.Window(), nullptr);
    const RECT work = WorkArea();
    SetWindowPos(target.Window(), nullptr, work.left - 60, work.top - 40, 420, 320, SWP_NOZORDER);
    const RECT before = WindowRectOf(target.Window());

    Process frame(GlazeCommandLine(app, L"一半在外面 Off screen/A"));
    const GlazeWindows windows = WaitForGlazeWindows(frame);
    ASSERT_NE(windows.Frame, nullptr);
    // Moved just enough: its caption band and buttons at the work area's corner.
    EXPECT_TRUE(WaitUntil([&] {
        const RECT now = WindowRectOf(windows.Frame);
        return now.left == work.left && now.top == work.top;
    }));
    EXPECT_TRUE(WaitUntil([&] {
        return ClientRectOnScreen(windows.Content).left == work.left + AuroraMargins.Left;
    }));

    // Left where it was put, the frame gives the window back exactly where it was taken from.
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(frame.WaitForExit(10s).has_value());
    EXPECT_TRUE(WaitUntil([&] {
        return target.LogContains("PARENT 0x0") && SameRect(WindowRectOf(target.Window()), before);
    })) << target.LogText();
}

// The program's log in order: where `first` stands before `then`.
bool LoggedInOrder(const TargetProgram& target, const std::string& first, const std::string& then) {
    const std::vector<std::string> log = target.Log();
    const auto at = [&](const std::string& line) {
        return std::find_if(log.begin(), log.end(),
                            [&](const std::string& entry) { return entry.rfind(line, 0) == 0; });
    };
    return at(first) < at(then) && at(then) != log.end();
}

// Given back whole: a top-level window again, with its own style, shown.
void ExpectGivenBack(const TargetProgram& target, LONG styleBefore) {
    ASSERT_TRUE(WaitUntil([&] {
        return GetAncestor(target.Window(), GA_PARENT) == GetDesktopWindow();
    })) << target.LogText();
    EXPECT_TRUE(WaitUntil([&] {
        return GetWindowLongW(target.Window(), GWL_STYLE) == styleBefore &&
               IsWindowVisible(target.Window());
    })) << target.LogText();
    EXPECT_FALSE(target.LogContains("LOST DATA")) << target.LogText();
}

// A main window that is a popup owned by a hidden application window of the same title, with a
// hidden twin in front of it: the shown window is taken, and comes back top-level and owned.
TEST_F(Hosting, AnOwnedPopupComesBackAsItWasAndHiddenTwinsAreNeverTaken) {
    TargetProgram target(L"有主人的窗口 Owned", L"--owned --twin");
    ASSERT_NE(target.Window(), nullptr);
    const HWND owner = GetWindow(target.Window(), GW_OWNER);
    ASSERT_NE(owner, nullptr);
    const HWND twin = FindWindowW(nullptr, L"有主人的窗口 Owned");
    ASSERT_NE(twin, target.Window()) << "a search by title must find the hidden twin first";
    const LONG styleBefore = GetWindowLongW(target.Window(), GWL_STYLE);

    Process frame(GlazeCommandLine(app, L"有主人的窗口 Owned/A"));
    const GlazeWindows windows = WaitForGlazeWindows(frame);
    ASSERT_NE(windows.Frame, nullptr);
    EXPECT_TRUE(
        WaitUntil([&] { return GetAncestor(target.Window(), GA_PARENT) == windows.Content; }));
    for (const HWND hidden : {owner, twin}) {
        EXPECT_FALSE(IsWindowVisible(hidden));
        EXPECT_EQ(GetAncestor(hidden, GA_PARENT), GetDesktopWindow());
    }

    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(frame.WaitForExit(10s).has_value());
    ExpectGivenBack(target, styleBefore);
    EXPECT_EQ(GetWindow(target.Window(), GW_OWNER), owner);
}

// A program that does not answer when it is to be framed is left alone: nothing of its window
// changes, now or when it answers again, and the frame process does not wait for it.
TEST_F(Hosting, AProgramHungWhenItIsToBeFramedIsLeftUntouched) {
    TargetProgram target(L"正忙的程序 Busy");
    ASSERT_NE(target.Window(), nullptr);
    const LONG styleBefore = GetWindowLongW(target.Window(), GWL_STYLE);
    PostMessageW(target.Window(), TargetProgram::HangRequest, 6000, 0);
    ASSERT_TRUE(WaitUntil([&] { return target.LogContains("HANG"); }));

    Process frame(GlazeCommandLine(app, L"正忙的程序 Busy/A"));
    EXPECT_TRUE(frame.WaitForExit(5s).has_value()) << "the frame process waits for the program";
    ASSERT_TRUE(WaitUntil([&] { return target.LogContains("AWAKE"); }));
    EXPECT_TRUE(StaysTrue([&] {
        return GetAncestor(target.Window(), GA_PARENT) == GetDesktopWindow() &&
               GetWindowLongW(target.Window(), GWL_STYLE) == styleBefore;
    }));
    EXPECT_FALSE(target.LogContains("STYLE")) << target.LogText();
    EXPECT_FALSE(target.LogContains("PARENT")) << target.LogText();
}

TEST_F(Hosting, WithTheCloseOptionTheProgramIsGivenBackThenAskedToClose) {
    TargetProgram target(L"被框的程序 Quits");
    ASSERT_NE(target.Window(), nullptr);
    Process frame(GlazeCommandLine(app, L"被框的程序 Quits/B/q"));
    const GlazeWindows windows = WaitForGlazeWindows(frame);
    ASSERT_NE(windows.Frame, nullptr);
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(frame.WaitForExit(10s).has_value());
    // It closes the way it closes from its own close box, after it has its window back.
    ASSERT_TRUE(target.Proc().WaitForExit(10s).has_value()) << target.LogText();
    EXPECT_TRUE(LoggedInOrder(target, "PARENT 0x0", "CLOSE")) << target.LogText();
    EXPECT_FALSE(target.LogContains("LOST DATA")) << target.LogText();
}

TEST_F(Hosting, AProgramThatAsksBeforeClosingStaysAnOrdinaryWindowWhenTheUserCancels) {
    TargetProgram target(L"有未保存的内容 Unsaved", L"--ask");
    ASSERT_NE(target.Window(), nullptr);
    const LONG styleBefore = GetWindowLongW(target.Window(), GWL_STYLE);
    Process frame(GlazeCommandLine(app, L"有未保存的内容 Unsaved/A/q"));
    const GlazeWindows windows = WaitForGlazeWindows(frame);
    ASSERT_NE(windows.Frame, nullptr);
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);

    const MessageBoxSeen question = WaitForMessageBox(target.Proc());
    ASSERT_NE(question.Window, nullptr) << target.LogText();
    PostMessageW(question.Window, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return target.LogContains("KEPT"); })) << target.LogText();
    ExpectGivenBack(target, styleBefore);
    EXPECT_TRUE(frame.WaitForExit(10s).has_value());
    EXPECT_TRUE(target.Proc().Running());
}

TEST_F(Hosting, NotepadWithUnsavedTextAsksToSaveAndKeepsItsText) {
    if (!test::UnderWine()) {
        GTEST_SKIP() << "Windows' own notepad asks in a dialog of its own kind: this test knows "
                        "Wine's notepad and its message box";
    }
    Process notepad(L"notepad.exe");
    const HWND window = WaitFor([&] {
        for (HWND w : notepad.Windows()) {
            if (IsWindowVisible(w) && ClassOf(w) == L"Notepad") {
                return w;
            }
        }
        return HWND{};
    });
    ASSERT_NE(window, nullptr);
    const HWND edit = FindWindowExW(window, nullptr, L"Edit", nullptr);
    const std::wstring typed = L"未保存的文字 unsaved text";
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
    const std::wstring title = TextOf(window);

    Process frame(GlazeCommandLine(app, title + L"/A/q"));
    const GlazeWindows windows = WaitForGlazeWindows(frame);
    ASSERT_NE(windows.Frame, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return GetAncestor(window, GA_PARENT) == windows.Content; }));
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);

    const MessageBoxSeen question = WaitForMessageBox(notepad);
    ASSERT_NE(question.Window, nullptr) << "notepad never asked to save";
    PostMessageW(question.Window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(frame.WaitForExit(10s).has_value());
    EXPECT_TRUE(StaysTrue([&] { return notepad.Running(); }));
    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(TextOf(edit), typed);
}

TEST_F(Hosting, TheFrameClosesItselfWhenTheFramedWindowIsGone) {
    for (const UINT request : {TargetProgram::CloseRequest, TargetProgram::ExitRequest}) {
        SCOPED_TRACE(request);
        TargetProgram target(L"自己关闭的程序 Leaves");
        ASSERT_NE(target.Window(), nullptr);
        Process frame(GlazeCommandLine(app, L"自己关闭的程序 Leaves/A"));
        const GlazeWindows windows = WaitForGlazeWindows(frame);
        ASSERT_NE(windows.Frame, nullptr);
        PostMessageW(target.Window(), request, 0, 0);
        ASSERT_TRUE(target.Proc().WaitForExit(5s).has_value());
        EXPECT_EQ(frame.WaitForExit(1s), std::optional<DWORD>(0));
    }
}

TEST_F(Hosting, ClosingNeverWaitsOnAProgramThatDoesNotAnswer) {
    TargetProgram target(L"不响应的程序 Hangs");
    ASSERT_NE(target.Window(), nullptr);
    const LONG styleBefore = GetWindowLongW(target.Window(), GWL_STYLE);
    Process frame(GlazeCommandLine(app, L"不响应的程序 Hangs/A"));
    const GlazeWindows windows = WaitForGlazeWindows(frame);
    ASSERT_NE(windows.Frame, nullptr);
    // The program stops answering once it is framed and has had the keyboard for a moment, as a
    // user sees it: making it the active window waits for it (Wine activates it from the frame's
    // thread), and the frame's coming up with it may hand it the keyboard once more.
    ASSERT_TRUE(WaitUntil([&] { return StaysTrue([&] { return target.HasKeyboard(); }); }));
    PostMessageW(target.Window(), TargetProgram::HangRequest, 4000, 0);
    ASSERT_TRUE(WaitUntil([&] { return target.LogContains("HANG"); }));

    // Sizing the frame goes on while the program sleeps.
    RECT outer{};
    GetWindowRect(windows.Frame, &outer);
    SetWindowPos(windows.Frame, nullptr, 0, 0, outer.right - outer.left + 60,
                 outer.bottom - outer.top + 40,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutW(windows.Frame, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer), 0);

    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil(
        [&] { return !IsWindowVisible(windows.Frame) && !IsWindowVisible(windows.Content); }, 1s));
    EXPECT_FALSE(target.LogContains("AWAKE")) << "the program answered too soon for this test";
    ExpectGivenBack(target, styleBefore);
    EXPECT_TRUE(frame.WaitForExit(10s).has_value());
    EXPECT_TRUE(target.Proc().Running());
}

TEST_F(Hosting, EveryClickIntoTheFramedProgramReachesItThroughAFilledCentre) {
    app.WriteFilledCentreSkin(L"Filled"); // the second skin, B
    TargetProgram target(L"玻璃后面的程序 Behind glass");
    ASSERT_NE(target.Window(), nullptr);
    TargetProgram other(L"别的程序 Elsewhere");
    ASSERT_NE(other.Window(), nullptr);
    Process frame(GlazeCommandLine(app, L"玻璃后面的程序 Behind glass/B"));
    const GlazeWindows windows = WaitForGlazeWindows(frame);
    ASSERT_NE(windows.Frame, nullptr);
    SetWindowPos(other.Window(), nullptr, 900, 500, 300, 200, SWP_NOZORDER);

    const RECT content = ClientRectOnScreen(windows.Content);
    const POINT inside{(content.left + content.right) / 2, (content.top + content.bottom) / 2};
    const RECT elsewhere = ClientRectOnScreen(other.Window());
    // Right after start Wine's display now and then still shows the new frame over its content
    // window; a click on the frame's caption band settles the order as a user's first click would.
    ClickAt({content.left + 20, content.top - 5}, LeftButton);
    AwaitFreshClick();
    for (int click = 1; click <= 4; ++click) {
        // Each click first brings the framed program to the front, which raises its frame.
        ClickAt({elsewhere.left + 20, elsewhere.top + 20}, LeftButton);
        AwaitFreshClick();
        ClickAt(inside, LeftButton);
        AwaitFreshClick();
        const auto clicks = [&] {
            const auto log = target.Log();
            return std::count(log.begin(), log.end(), std::string("CLICK"));
        };
        EXPECT_TRUE(WaitUntil([&] { return clicks() == click; }, 2s)) << target.LogText();
    }
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(frame.WaitForExit(10s).has_value());
}

// A program framed by a new frame process, once its window lies in the content window.
struct FramedProgram {
    FramedProgram(const AppDir& app, const std::wstring& title) : Target(title) {
        SetWindowPos(Target.Window(), nullptr, 200, 150, 420, 320, SWP_NOZORDER);
        Frame.emplace(GlazeCommandLine(app, title + L"/A"));
        Windows = WaitForGlazeWindows(*Frame);
        EXPECT_TRUE(
            WaitUntil([&] { return GetAncestor(Target.Window(), GA_PARENT) == Windows.Content; }));
    }
    void Ask(UINT request, WPARAM wParam = 0, LPARAM lParam = 0) const {
        PostMessageW(Target.Window(), request, wParam, lParam);
    }
    // Whether the window fills the content window, which lies on the frame's interior.
    bool Fills() const {
        const RECT content = ClientRectOnScreen(Windows.Content);
        return SameRect(WindowRectOf(Target.Window()), content);
    }
    TargetProgram Target;
    std::optional<Process> Frame;
    GlazeWindows Windows;
};

TEST_F(Hosting, TheFrameFollowsTheProgramsOwnSizeTitleIconAndVisibility) {
    FramedProgram framed(app, L"自己变化的程序 Changes");
    const RECT frameBefore = WindowRectOf(framed.Windows.Frame);
    framed.Ask(TargetProgram::ResizeRequest, 520, 380);
    EXPECT_TRUE(WaitUntil([&] {
        const RECT frame = WindowRectOf(framed.Windows.Frame);
        const RECT content = ClientRectOnScreen(framed.Windows.Content);
        return content.right - content.left == 520 && content.bottom - content.top == 380 &&
               frame.left == frameBefore.left && frame.top == frameBefore.top && framed.Fills();
    })) << framed.Target.LogText();

    const auto captionFollows = [&] {
        return TextOf(framed.Windows.Frame) ==
               TextOf(framed.Target.Window()) + L" - 模拟Glaze窗体*";
    };
    for (const WPARAM length : {WPARAM{30}, WPARAM{10000}, WPARAM{0}}) {
        framed.Ask(TargetProgram::RetitleRequest, length);
        EXPECT_TRUE(WaitUntil([&] { return captionFollows(); })) << length;
    }
    // Its icon is the program's, for the taskbar and Alt+Tab.
    EXPECT_EQ(SendMessageW(framed.Windows.Frame, WM_GETICON, ICON_BIG, 0),
              static_cast<LRESULT>(GetClassLongPtrW(framed.Target.Window(), GCLP_HICON)));

    // A program that makes itself smaller than any frame still fills the smallest one.
    framed.Ask(TargetProgram::ResizeRequest, 0, 0);
    EXPECT_TRUE(WaitUntil([&] {
        const RECT frame = WindowRectOf(framed.Windows.Frame);
        return frame.right - frame.left == 200 && frame.bottom - frame.top == 200 && framed.Fills();
    }));

    framed.Ask(TargetProgram::ShowRequest, WPARAM{SW_HIDE});
    EXPECT_TRUE(WaitUntil([&] {
        return !IsWindowVisible(framed.Windows.Frame) && !IsWindowVisible(framed.Windows.Content);
    }));
    framed.Ask(TargetProgram::ShowRequest, WPARAM{SW_SHOW});
    EXPECT_TRUE(WaitUntil([&] {
        return IsWindowVisible(framed.Windows.Frame) && IsWindowVisible(framed.Target.Window()) &&
               WindowRectOf(framed.Windows.Frame).left == frameBefore.left && framed.Fills();
    }));
    // Gone while hidden: the frame closes itself.
    framed.Ask(TargetProgram::ShowRequest, WPARAM{SW_HIDE});
    framed.Ask(TargetProgram::CloseRequest);
    EXPECT_EQ(framed.Frame->WaitForExit(10s), std::optional<DWORD>(0));
}

TEST_F(Hosting, AProgramInFullScreenHasItsMonitorAndIsFramedAgainWhereItWas) {
    FramedProgram framed(app, L"全屏的程序 Full screen");
    const RECT frameBefore = WindowRectOf(framed.Windows.Frame);
    const RECT contentBefore = ClientRectOnScreen(framed.Windows.Content);
    const RECT monitor{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const POINT band{frameBefore.left + 20, frameBefore.top + 10};
    const auto fullScreen = [&] {
        return SameRect(WindowRectOf(framed.Target.Window()), monitor) &&
               SameRect(WindowRectOf(framed.Windows.Content), monitor) &&
               GetAncestor(WindowFromPoint(band), GA_ROOT) == framed.Windows.Content;
    };
    const auto framedAgain = [&] {
        return SameRect(ClientRectOnScreen(framed.Windows.Content), contentBefore) &&
               framed.Fills() &&
               GetAncestor(WindowFromPoint(band), GA_ROOT) == framed.Windows.Frame;
    };
    framed.Ask(TargetProgram::FullScreenRequest, 1);
    EXPECT_TRUE(WaitUntil(fullScreen)) << framed.Target.LogText();
    EXPECT_TRUE(SameRect(WindowRectOf(framed.Windows.Frame), frameBefore));
    framed.Ask(TargetProgram::FullScreenRequest, 0);
    EXPECT_TRUE(WaitUntil(framedAgain)) << framed.Target.LogText();
    // Toggled faster than a look: it ends as it asked last.
    for (int i = 0; i < 5; ++i) {
        framed.Ask(TargetProgram::FullScreenRequest, 1);
        framed.Ask(TargetProgram::FullScreenRequest, 0);
    }
    EXPECT_TRUE(WaitUntil([&] { return StaysTrue(framedAgain); }));

    // Closed while it has its monitor, it goes back where it was framed.
    framed.Ask(TargetProgram::FullScreenRequest, 1);
    ASSERT_TRUE(WaitUntil(fullScreen));
    PostMessageW(framed.Windows.Frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(framed.Frame->WaitForExit(10s).has_value());
    EXPECT_TRUE(WaitUntil([&] {
        const RECT client = ClientRectOnScreen(framed.Target.Window());
        return GetAncestor(framed.Target.Window(), GA_PARENT) == GetDesktopWindow() &&
               client.left == contentBefore.left && client.top == contentBefore.top;
    })) << framed.Target.LogText();
    EXPECT_FALSE(framed.Target.LogContains("LOST DATA"));
}

// A modal dialog of the program is up when the frame closes, from before the frame or since: the
// window comes back with its caption and borders, still disabled, until its program closes the
// dialog.
TEST_F(Hosting, AWindowWithItsDialogUpGoesBackWholeAndDisabled) {
    for (const bool dialogFirst : {true, false}) {
        SCOPED_TRACE(dialogFirst ? "dialog before the frame" : "dialog under the frame");
        const std::wstring title = L"有对话框的程序 Dialog";
        TargetProgram target(title);
        SetWindowPos(target.Window(), nullptr, 200, 150, 420, 320, SWP_NOZORDER);
        const LONG styleBefore = GetWindowLongW(target.Window(), GWL_STYLE);
        const RECT outerBefore = WindowRectOf(target.Window());
        const RECT clientBefore = ClientRectOnScreen(target.Window());
        const auto openDialog = [&] {
            PostMessageW(target.Window(), TargetProgram::ModalRequest, 0, 0);
            ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(target.Window()); }));
        };
        if (dialogFirst) {
            openDialog();
        }
        Process frame(GlazeCommandLine(app, title + L"/A"));
        const GlazeWindows windows = WaitForGlazeWindows(frame);
        ASSERT_TRUE(
            WaitUntil([&] { return GetAncestor(target.Window(), GA_PARENT) == windows.Content; }));
        if (!dialogFirst) {
            openDialog();
        }
        PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
        ASSERT_TRUE(frame.WaitForExit(10s).has_value());
        ASSERT_TRUE(WaitUntil(
            [&] { return GetAncestor(target.Window(), GA_PARENT) == GetDesktopWindow(); }));
        EXPECT_EQ(GetWindowLongW(target.Window(), GWL_STYLE), styleBefore | WS_DISABLED);
        EXPECT_TRUE(SameRect(WindowRectOf(target.Window()), outerBefore));
        EXPECT_TRUE(SameRect(ClientRectOnScreen(target.Window()), clientBefore));

        const MessageBoxSeen box = WaitForMessageBox(target.Proc());
        ASSERT_NE(box.Window, nullptr);
        PostMessageW(box.Window, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(target.Window()) != FALSE; }));
        EXPECT_FALSE(target.LogContains("LOST DATA"));
    }
}

// GLAZE_TEST_FAULT for the processes started while it lives.
class ArmedFault {
public:
    explicit ArmedFault(const std::wstring& fault) {
        SetEnvironmentVariableW(L"GLAZE_TEST_FAULT", fault.c_str());
    }
    ~ArmedFault() { SetEnvironmentVariableW(L"GLAZE_TEST_FAULT", nullptr); }
    ArmedFault(const ArmedFault&) = delete;
    ArmedFault& operator=(const ArmedFault&) = delete;
};

// The session ends as the system ends it: asked first, then told.
void EndSession(HWND frame) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(frame, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &answer);
    EXPECT_EQ(answer, TRUE);
    SendMessageTimeoutW(frame, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &answer);
}

TEST_F(Hosting, NothingTheFrameProcessDiesOfTakesTheWindowWithIt) {
    const AppDir faulty(L"glaze_faults.exe");
    faulty.CopyBundledSkins();
    // "session-during-load": the session ends while a failed skin load shows its message.
    for (const std::wstring fault :
         {L"skin-load", L"session-during-load", L"throw", L"crash", L"end-session", L"unload"}) {
        SCOPED_TRACE(ToAnsi(fault));
        TargetProgram target(L"出事的框架 Fault");
        ASSERT_NE(target.Window(), nullptr);
        const LONG styleBefore = GetWindowLongW(target.Window(), GWL_STYLE);
        std::optional<Process> frame;
        {
            const ArmedFault armed(fault == L"session-during-load" ? L"skin-load" : fault);
            frame.emplace(GlazeCommandLine(faulty, L"出事的框架 Fault/A"));
        }
        ASSERT_TRUE(WaitUntil([&] {
            return target.LogContains("PARENT 0x") &&
                   GetAncestor(target.Window(), GA_PARENT) != GetDesktopWindow();
        }));
        if (fault == L"skin-load") {
            // As for a faulty skin: the message, then the end.
            const MessageBoxSeen box = WaitForMessageBox(*frame);
            ASSERT_NE(box.Window, nullptr);
            EXPECT_NE(box.Text.find(L"无法加载"), std::wstring::npos) << ToAnsi(box.Text);
            PostMessageW(box.Window, WM_COMMAND, IDOK, 0);
        } else if (fault == L"session-during-load") {
            const MessageBoxSeen box = WaitForMessageBox(*frame);
            ASSERT_NE(box.Window, nullptr);
            EndSession(GetWindow(box.Window, GW_OWNER));
            ExpectGivenBack(target, styleBefore);
            PostMessageW(box.Window, WM_COMMAND, IDOK, 0);
        } else if (fault == L"end-session") {
            EndSession(WaitForGlazeWindows(*frame).Frame);
        } else if (fault == L"unload") {
            PostMessageW(WaitForGlazeWindows(*frame).Frame, WM_CLOSE, 0, 0);
        }
        ExpectGivenBack(target, styleBefore);
        EXPECT_TRUE(frame->WaitForExit(10s).has_value());
        EXPECT_TRUE(target.Proc().Running());
    }
}

// Where the system refuses to re-parent the window (a program of a higher integrity level, no
// mixed-DPI hosting), nothing of it changes, the user is told, and the frame process ends. A
// refused give-back leaves it framed, its frame up, until a later close gives it back.
TEST_F(Hosting, AWindowTheSystemWillNotReparentIsNeverLost) {
    const AppDir faulty(L"glaze_faults.exe");
    faulty.CopyBundledSkins();
    for (const bool maximised : {false, true}) {
        SCOPED_TRACE(maximised ? "maximised" : "restored");
        TargetProgram target(L"放不进框架 Refused");
        SetWindowPos(target.Window(), nullptr, 200, 150, 420, 320, SWP_NOZORDER);
        if (maximised) {
            ShowWindow(target.Window(), SW_MAXIMIZE);
            ASSERT_TRUE(WaitUntil([&] { return IsZoomed(target.Window()) != FALSE; }));
        }
        const LONG styleBefore = GetWindowLongW(target.Window(), GWL_STYLE);
        const RECT before = WindowRectOf(target.Window());
        const RECT clientBefore = ClientRectOnScreen(target.Window());
        std::optional<Process> frame;
        {
            const ArmedFault armed(L"refuse-capture");
            frame.emplace(GlazeCommandLine(faulty, L"放不进框架 Refused/A"));
        }
        const MessageBoxSeen box = WaitForMessageBox(*frame);
        ASSERT_NE(box.Window, nullptr);
        EXPECT_EQ(box.Caption, L"错误");
        EXPECT_NE(box.Text.find(L"“放不进框架 Refused”"), std::wstring::npos) << ToAnsi(box.Text);
        EXPECT_EQ(GetWindowLongW(target.Window(), GWL_STYLE), styleBefore);
        EXPECT_TRUE(SameRect(WindowRectOf(target.Window()), before));
        EXPECT_TRUE(SameRect(ClientRectOnScreen(target.Window()), clientBefore));
        EXPECT_EQ(GetAncestor(target.Window(), GA_PARENT), GetDesktopWindow());
        PostMessageW(box.Window, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(frame->WaitForExit(10s).has_value());
        EXPECT_FALSE(target.LogContains("PARENT")) << target.LogText();
    }

    TargetProgram target(L"还不回去 Kept");
    const LONG styleBefore = GetWindowLongW(target.Window(), GWL_STYLE);
    std::optional<Process> frame;
    {
        const ArmedFault armed(L"refuse-give-back");
        frame.emplace(GlazeCommandLine(faulty, L"还不回去 Kept/A"));
    }
    const GlazeWindows windows = WaitForGlazeWindows(*frame);
    ASSERT_TRUE(
        WaitUntil([&] { return GetAncestor(target.Window(), GA_PARENT) == windows.Content; }));
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    const MessageBoxSeen box = WaitForMessageBox(*frame);
    ASSERT_NE(box.Window, nullptr);
    EXPECT_NE(box.Text.find(L"仍留在框架中"), std::wstring::npos) << ToAnsi(box.Text);
    EXPECT_EQ(GetAncestor(target.Window(), GA_PARENT), windows.Content);
    EXPECT_TRUE(WaitUntil([&] {
        return IsWindowVisible(windows.Frame) && IsWindowVisible(windows.Content) &&
               SameRect(WindowRectOf(target.Window()), ClientRectOnScreen(windows.Content));
    }));
    PostMessageW(box.Window, WM_COMMAND, IDOK, 0);
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    ExpectGivenBack(target, styleBefore);
    EXPECT_TRUE(frame->WaitForExit(10s).has_value());
    EXPECT_TRUE(target.Proc().Running());
}

// A skin file may say anything: pictures declaring sixteen thousand pixels a side, of no size or
// no picture at all, every number at the ends of the 32-bit range, borders that leave the frame
// no interior or make it larger than any screen. The frame survives it, or fails with the skin
// message, and the window it took comes back whole.
TEST_F(Hosting, NoSkinFileLosesTheWindow) {
    const std::wstring skinDir = app.SkinDir() + L"\\Hostile";
    const auto writeBytes = [&](const wchar_t* name, std::initializer_list<uint8_t> bytes) {
        std::ofstream(std::filesystem::path(skinDir) / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(std::data(bytes)),
                   static_cast<std::streamsize>(bytes.size()));
    };
    struct Case {
        const wchar_t* Name;
        std::wstring Lines;
        bool Fails = false;
        bool SameSize = true; // false: borders below zero give the window a larger interior
    };
    constexpr wchar_t Extremes[] = L"2147483647,-2147483648,2147483647,-2147483648";
    const std::wstring frameLine = L"SKINNUM0=0,14,34,14,14,0,0,frame,frame.png\r\n";
    const Case cases[] = {
        {L"pictures", frameLine + L"SKINNUM1=3,-44,11,26,18,0,0,huge,huge.png\r\n"
                                  L"SKINNUM2=1,-70,11,26,18,0,0,none,zero.png\r\n"
                                  L"SKINNUM3=2,-96,11,26,18,1,0,bad,corrupt.png\r\n"},
        {L"numbers", frameLine + L"SKINNUM1=" + Extremes +
                         L",-2147483648,2147483647,-2147483648,x,min.png\r\n"
                         L"SKINNUM2=" +
                         Extremes +
                         L",-5,1,0,y,max.png\r\n"
                         L"SKINNUM3=2147483647,-30,11,-26,-18,0,1,z,close.png\r\n"},
        {L"borders larger than any screen",
         L"SKINNUM0=0,2147483647,2147483647,2147483647,2147483647,1,0,frame,frame.png\r\n"
         L"SKINNUM1=3,-44,11,26,18,0,0,close,close.png\r\n"},
        {L"borders that leave no interior", L"SKINNUM0=0,700,300,700,300,0,0,frame,frame.png\r\n"},
        {L"borders below zero",
         std::wstring(L"SKINNUM0=") + Extremes + L",-2147483648,1,2147483647,frame,frame.png\r\n",
         false, false},
        {L"a number beyond 32 bits", frameLine + L"SKINNUM1=0,99999999999,1,1,1,0,0,x,x.png\r\n",
         true},
    };

    TargetProgram target(L"被框的程序 Hostile");
    ASSERT_NE(target.Window(), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(ToAnsi(c.Name));
        std::filesystem::remove_all(app.SkinDir());
        std::filesystem::create_directories(app.SkinDir());
        app.CopySkinAs(L"Aurora", L"Hostile");
        writeBytes(L"huge.png",
                   {0x89, 'P', 'N', 'G',  '\r', '\n', 0x1A, '\n', 0,    0, 0, 13, 'I', 'H', 'D',
                    'R',  0,   0,   0x3E, 0x80, 0,    0,    0x3E, 0x80, 8, 6, 0,  0,   0});
        writeBytes(L"zero.png",
                   {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D',
                    'R',  0,   0,   0,   0,    0,    0,    0,    0, 8, 6, 0,  0,   0});
        writeBytes(L"corrupt.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 1, 2, 3});
        test::WriteAnsiFile(skinDir + L"\\skin.ini", L"[SKININFO]\r\n" + c.Lines);
        SetWindowPos(target.Window(), nullptr, 200, 150, 420, 320, SWP_NOZORDER);
        const RECT before = ClientRectOnScreen(target.Window());

        Process frame(GlazeCommandLine(app, L"被框的程序 Hostile/A"));
        if (c.Fails) {
            const MessageBoxSeen box = WaitForMessageBox(frame);
            ASSERT_NE(box.Window, nullptr);
            EXPECT_NE(box.Text.find(L"控件序号: 1"), std::wstring::npos);
            PostMessageW(box.Window, WM_COMMAND, IDOK, 0);
        } else {
            const GlazeWindows windows = WaitForGlazeWindows(frame);
            ASSERT_NE(windows.Frame, nullptr);
            EXPECT_EQ(GetAncestor(target.Window(), GA_PARENT), windows.Content);
            PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
        }
        ASSERT_TRUE(frame.WaitForExit(10s).has_value());
        const auto back = [&] {
            const RECT now = ClientRectOnScreen(target.Window());
            const bool whole = c.SameSize ? EqualRect(&now, &before) != FALSE
                                          : now.right - now.left >= before.right - before.left &&
                                                now.bottom - now.top >= before.bottom - before.top;
            return GetAncestor(target.Window(), GA_PARENT) == GetDesktopWindow() &&
                   !IsIconic(target.Window()) && whole;
        };
        EXPECT_TRUE(WaitUntil(back)) << target.LogText();
        EXPECT_TRUE(IsWindowVisible(target.Window()));
    }
    EXPECT_TRUE(target.Proc().Running());
    EXPECT_FALSE(target.LogContains("LOST DATA"));
}

} // namespace
} // namespace glaze::e2e
