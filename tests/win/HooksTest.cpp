#include "frame/FollowFrame.h"
#include "frame/FrameLimits.h"

#include "TestSupport.h"
#include "frame/LoadedSkin.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace glaze {
namespace {

using FollowFrame::InstallMoveHook;
using FollowFrame::RemoveMoveHook;

// A form that counts what reaches the forms layer through the hooks.
class HookedForm : public Form {
public:
    explicit HookedForm(DWORD style) : Form(L"模拟Glaze窗体*"), style_(style) {}

    int moves = 0;           // WM_MOVE
    int resizes = 0;         // WM_SIZE, as the size-change handler
    int positionChanges = 0; // WM_WINDOWPOSCHANGING
    std::vector<WPARAM> systemCommands;
    bool unloaded = false;

protected:
    WindowStyle DesignStyle() const override { return {style_, 0, 300, 200}; }
    void OnResize() override { ++resizes; }
    void OnUnload() override { unloaded = true; }
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM) override {
        switch (message) {
        case WM_MOVE:
            ++moves;
            break;
        case WM_WINDOWPOSCHANGING:
            ++positionChanges;
            break;
        case WM_SYSCOMMAND:
            systemCommands.push_back(wParam & 0xFFF0);
            break;
        default:
            break;
        }
        return std::nullopt;
    }

private:
    DWORD style_;
};

// Ends the whole test program when a test does not come back: a placement that keeps moving a
// window would otherwise hold the test run until its overall timeout.
class Watchdog {
public:
    explicit Watchdog(std::chrono::milliseconds limit)
        : thread_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!done_signal_.wait_for(lock, limit, [this] { return done_; })) {
                  std::fprintf(stderr, "hooks test hung\n");
                  std::_Exit(3);
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        done_signal_.notify_one();
        thread_.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable done_signal_;
    bool done_ = false;
    std::thread thread_;
};

// left, top, width, height
using Box = std::array<LONG, 4>;

Box BoxOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void MoveTo(HWND window, const Box& box) {
    MoveWindow(window, box[0], box[1], box[2], box[3], TRUE);
}

WNDPROC ProcedureOf(HWND window) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}

class Hooks : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetProcessValues();
        frame.Load();
        content.Load();
        MoveTo(frame.Hwnd(), {100, 80, 400, 300});
        MoveTo(content.Hwnd(), {700, 500, 120, 90});
        frame.Show();
        content.Show();
        test::PumpMessages();
        started_ = std::chrono::steady_clock::now();
    }
    void TearDown() override {
        RemoveMoveHook(content);
        RemoveMoveHook(frame);
        test::ResetProcessValues();
        EXPECT_LT(std::chrono::steady_clock::now() - started_, std::chrono::milliseconds(1000));
    }

    // A loaded skin with borders 12 left, 30 top, 12 right and 12 bottom.
    static void SkinLoaded() {
        TheLoadedSkin().Ready = true;
        TheLoadedSkin().MarginLeft = 12;
        TheLoadedSkin().MarginTop = 30;
        TheLoadedSkin().MarginH = 24;
        TheLoadedSkin().MarginV = 42;
    }
    void HookBoth() {
        InstallMoveHook(frame, true);
        InstallMoveHook(content, false);
    }
    // Any move of the content window registers it and puts it on the frame's interior.
    void RegisterContent() { MoveTo(content.Hwnd(), {650, 450, 50, 40}); }

    Watchdog watchdog_{std::chrono::seconds(10)};
    HookedForm frame{WS_POPUP | WS_THICKFRAME};
    HookedForm content{WS_POPUP};

private:
    std::chrono::steady_clock::time_point started_;
};

TEST_F(Hooks, TheContentWindowStaysOnTheFramesInteriorThroughEveryMoveAndResize) {
    SkinLoaded();
    HookBoth();
    RegisterContent();
    EXPECT_EQ(BoxOf(content.Hwnd()), (Box{112, 110, 376, 258}));

    MoveTo(frame.Hwnd(), {200, 150, 500, 350});
    EXPECT_EQ(BoxOf(content.Hwnd()), (Box{212, 180, 476, 308}));
    // A plain move moves the content window once: its own move, coming back through the hook
    // while it is being placed, does not place it again.
    content.positionChanges = 0;
    SetWindowPos(frame.Hwnd(), nullptr, 40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(BoxOf(content.Hwnd()), (Box{52, 90, 476, 308}));
    EXPECT_EQ(content.positionChanges, 1);
    SetWindowPos(frame.Hwnd(), nullptr, 0, 0, 320, 240, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(BoxOf(content.Hwnd()), (Box{52, 90, 296, 198}));

    // Dragged away on its own, it snaps back at once.
    MoveTo(content.Hwnd(), {600, 10, 50, 50});
    EXPECT_EQ(BoxOf(content.Hwnd()), (Box{52, 90, 296, 198}));
    EXPECT_EQ(FollowFrame::Values().Followers, std::vector<HWND>{content.Hwnd()});
}

TEST_F(Hooks, AMinimisedFrameTakesTheContentOutOfSightAndRestoringBringsItBack) {
    SkinLoaded();
    HookBoth();
    RegisterContent();
    frame.SetState(WindowState::Minimized);
    test::PumpMessages();
    const Box iconic = BoxOf(frame.Hwnd());
    const Box hidden = BoxOf(content.Hwnd());
    EXPECT_EQ(hidden[0], iconic[0] + 12);
    EXPECT_EQ(hidden[1], iconic[1] + 30);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT shown{hidden[0], hidden[1], hidden[0] + hidden[2], hidden[1] + hidden[3]};
    RECT overlap{};
    EXPECT_FALSE(IntersectRect(&overlap, &screen, &shown));
    EXPECT_TRUE(IsWindowVisible(content.Hwnd())); // out of sight, not hidden

    frame.SetState(WindowState::Normal);
    test::PumpMessages();
    EXPECT_EQ(BoxOf(content.Hwnd()), (Box{112, 110, 376, 258}));
}

TEST_F(Hooks, NothingIsRegisteredOrMovedBeforeTheFrameIsHooked) {
    SkinLoaded();
    InstallMoveHook(content, false);
    const int resizesBefore = content.resizes;
    const int movesBefore = content.moves;
    MoveTo(content.Hwnd(), {650, 450, 50, 40});
    EXPECT_EQ(BoxOf(content.Hwnd()), (Box{650, 450, 50, 40}));
    EXPECT_TRUE(FollowFrame::Values().Followers.empty());
    // Its own move and size messages are held back from the form as well.
    EXPECT_EQ(content.moves, movesBefore);
    EXPECT_EQ(content.resizes, resizesBefore);

    // A content window that has not moved since is not yet known to the frame.
    InstallMoveHook(frame, true);
    MoveTo(frame.Hwnd(), {200, 150, 500, 350});
    EXPECT_EQ(BoxOf(content.Hwnd()), (Box{650, 450, 50, 40}));

    // Its first move or size message after that registers it. Showing it is not enough under
    // Wine, which sends both messages only while creating a window.
    SendMessageA(content.Hwnd(), WM_MOVE, 0, 0);
    EXPECT_EQ(BoxOf(content.Hwnd()), (Box{212, 180, 476, 308}));
    EXPECT_GT(content.moves, movesBefore);
}

TEST_F(Hooks, WhileASkinLoadsTheContentIsRegisteredButNotMovedAndTheFrameHearsNothing) {
    FrameLimits::Values().Limits.ptMaxSize = {1000, 700};
    HookBoth();
    FrameLimits::InstallLimitsHook(frame.Hwnd());
    ASSERT_FALSE(TheLoadedSkin().Ready);

    MoveTo(content.Hwnd(), {650, 450, 50, 40});
    EXPECT_EQ(BoxOf(content.Hwnd()), (Box{650, 450, 50, 40}));
    EXPECT_EQ(FollowFrame::Values().Followers, std::vector<HWND>{content.Hwnd()});
    EXPECT_EQ(FollowFrame::Values().Placed, std::vector<bool>{true});

    const int frameMoves = frame.moves;
    EXPECT_EQ(SendMessageA(frame.Hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed")), 0);
    EXPECT_EQ(frame.Caption(), L""); // it does not even tell its caption
    MoveTo(frame.Hwnd(), {200, 150, 500, 350});
    EXPECT_EQ(frame.moves, frameMoves);
    EXPECT_EQ(BoxOf(content.Hwnd()), (Box{650, 450, 50, 40}));

    // Once the skin is in, the next move of the frame takes the registered content along.
    SkinLoaded();
    MoveTo(frame.Hwnd(), {210, 160, 500, 350});
    EXPECT_EQ(BoxOf(content.Hwnd()), (Box{222, 190, 476, 308}));
    EXPECT_EQ(frame.Caption(), L"模拟Glaze窗体*");
}

MINMAXINFO AskLimits(HWND window) {
    MINMAXINFO limits;
    FillMemory(&limits, sizeof limits, 0x5A);
    SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    return limits;
}

Box LimitsBox(POINT a, POINT b) {
    return {a.x, a.y, b.x, b.y};
}

TEST_F(Hooks, APanelFrameKeepsItsLoadedSize) {
    SkinLoaded();
    FrameLimits::Values().Limits.ptMaxSize = {400, 300};
    FrameLimits::Values().Limits.ptMinTrackSize = {400, 300};
    HookBoth();
    FrameLimits::InstallLimitsHook(frame.Hwnd());

    const MINMAXINFO limits = AskLimits(frame.Hwnd());
    EXPECT_EQ(std::memcmp(&limits, &FrameLimits::Values().Limits, sizeof limits), 0);
    EXPECT_EQ(LimitsBox(limits.ptMaxPosition, limits.ptMaxSize), (Box{0, 0, 400, 300}));
    EXPECT_EQ(LimitsBox(limits.ptMinTrackSize, limits.ptMaxTrackSize), (Box{400, 300, 400, 300}));

    MoveTo(frame.Hwnd(), {150, 100, 250, 150});
    EXPECT_EQ(BoxOf(frame.Hwnd()), (Box{150, 100, 400, 300}));
    MoveTo(frame.Hwnd(), {150, 100, 900, 700});
    EXPECT_EQ(BoxOf(frame.Hwnd()), (Box{150, 100, 400, 300}));
}

TEST_F(Hooks, AFrameIsLimitedByItsSkinAndMaximisesAtTheCorner) {
    SkinLoaded();
    FrameLimits::Values().Limits.ptMaxSize = {1000, 700};
    FrameLimits::Values().Limits.ptMinTrackSize = {200, 200};
    FrameLimits::Values().Limits.ptMaxPosition = {50, 40};
    HookBoth();
    FrameLimits::InstallLimitsHook(frame.Hwnd());
    RegisterContent();

    // A later skin changes the largest size; dragging keeps the first one's limit.
    FrameLimits::Values().Limits.ptMaxSize = {900, 600};
    const MINMAXINFO limits = AskLimits(frame.Hwnd());
    EXPECT_EQ(std::memcmp(&limits, &FrameLimits::Values().Limits, sizeof limits), 0);
    EXPECT_EQ(LimitsBox(limits.ptMaxPosition, limits.ptMaxSize), (Box{0, 0, 900, 600}));
    EXPECT_EQ(LimitsBox(limits.ptMinTrackSize, limits.ptMaxTrackSize), (Box{200, 200, 1000, 700}));

    MoveTo(frame.Hwnd(), {100, 80, 50, 50});
    EXPECT_EQ(BoxOf(frame.Hwnd()), (Box{100, 80, 200, 200}));
    EXPECT_EQ(BoxOf(content.Hwnd()), (Box{112, 110, 176, 158}));

    frame.SetState(WindowState::Maximized);
    test::PumpMessages();
    EXPECT_EQ(BoxOf(frame.Hwnd()), (Box{0, 0, 900, 600}));
    EXPECT_EQ(BoxOf(content.Hwnd()), (Box{12, 30, 876, 558}));
}

TEST_F(Hooks, TheSystemMenusChoiceReachesTheFrameAsASystemCommand) {
    SkinLoaded();
    HookBoth();
    FrameLimits::InstallLimitsHook(frame.Hwnd());

    EXPECT_EQ(SendMessageA(frame.Hwnd(), WM_COMMAND, SC_MINIMIZE, 0), 0);
    EXPECT_TRUE(IsIconic(frame.Hwnd()));
    SendMessageA(frame.Hwnd(), WM_COMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(frame.Hwnd()));
    SendMessageA(frame.Hwnd(), WM_COMMAND, SC_CLOSE, 0);
    EXPECT_EQ(frame.systemCommands, (std::vector<WPARAM>{SC_MINIMIZE, SC_RESTORE, SC_CLOSE}));
    EXPECT_TRUE(frame.unloaded);
    EXPECT_FALSE(frame.IsLoaded());
}

TEST_F(Hooks, RemovingTheFramesMoveHookDropsBothHooks) {
    const WNDPROC original = ProcedureOf(frame.Hwnd());
    SkinLoaded();
    HookBoth();
    InstallMoveHook(frame, true); // twice: the forms layer's procedure stays the saved one
    EXPECT_EQ(FollowFrame::Values().SavedFormProc, original);
    FrameLimits::InstallLimitsHook(frame.Hwnd());
    EXPECT_EQ(ProcedureOf(frame.Hwnd()), &FrameLimits::FrameLimitsProc);
    EXPECT_EQ(FrameLimits::Values().SavedProc, &FollowFrame::MoveFollowProc);
    RegisterContent();

    RemoveMoveHook(frame);
    EXPECT_EQ(ProcedureOf(frame.Hwnd()), original);
    MoveTo(frame.Hwnd(), {200, 150, 500, 350});
    EXPECT_EQ(BoxOf(content.Hwnd()), (Box{112, 110, 376, 258}));
    EXPECT_EQ(ProcedureOf(content.Hwnd()), &FollowFrame::MoveFollowProc);
    RemoveMoveHook(content);
    EXPECT_EQ(ProcedureOf(content.Hwnd()), original);

    FollowFrame::Values() = {}; // nothing saved: nothing to give back
    SetWindowLongPtrA(frame.Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
    RemoveMoveHook(frame);
    EXPECT_EQ(ProcedureOf(frame.Hwnd()), &DefWindowProcA);
    SetWindowLongPtrA(frame.Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
}

TEST_F(Hooks, AFailureInsideTheHookStaysThere) {
    SkinLoaded();
    HookBoth();
    FollowFrame::Values().Followers = {content.Hwnd()}; // out of step with Placed
    const int moves = frame.moves;
    MoveTo(frame.Hwnd(), {200, 150, 500, 350});
    EXPECT_EQ(frame.moves, moves); // the failed message goes no further
    EXPECT_EQ(BoxOf(frame.Hwnd()), (Box{200, 150, 500, 350}));
    LRESULT result = 1;
    EXPECT_NO_THROW(result = FollowFrame::MoveFollowProc(frame.Hwnd(), WM_MOVE, 0, 0));
    EXPECT_EQ(result, 0);
}

bool Above(HWND upper, HWND lower) {
    for (HWND w = GetWindow(lower, GW_HWNDPREV); w != nullptr; w = GetWindow(w, GW_HWNDPREV)) {
        if (w == upper) {
            return true;
        }
    }
    return false;
}

TEST_F(Hooks, TheFrameComesUpOnceEachTimeTheFramedWindowComesToTheFront) {
    SkinLoaded();
    HookBoth();
    test::PlainWindow target(L"framed", true);
    test::PlainWindow other(L"other", true);
    FollowFrame::Values().FramedWindow = target.Hwnd();
    ASSERT_TRUE(SetForegroundWindow(target.Hwnd()));
    ASSERT_TRUE(Above(target.Hwnd(), frame.Hwnd()));

    frame.positionChanges = 0;
    for (int i = 0; i < 3; ++i) {
        SendMessageA(content.Hwnd(), WM_NULL, 0, 0);
    }
    EXPECT_EQ(frame.positionChanges, 2); // to the topmost band and back, once
    EXPECT_TRUE(Above(frame.Hwnd(), target.Hwnd()));
    EXPECT_FALSE(GetWindowLongA(frame.Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    ASSERT_TRUE(SetForegroundWindow(other.Hwnd()));
    SendMessageA(content.Hwnd(), WM_NULL, 0, 0);
    EXPECT_FALSE(FollowFrame::Values().FrameRaised);
    ASSERT_TRUE(SetForegroundWindow(target.Hwnd()));
    SendMessageA(frame.Hwnd(), WM_NULL, 0, 0);
    EXPECT_EQ(frame.positionChanges, 4);
    EXPECT_FALSE(GetWindowLongA(frame.Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

} // namespace
} // namespace glaze
