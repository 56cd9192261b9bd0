// The content window's side of framing another program: taking its window in, keeping it
// filling the content window, watching that it is still there, and giving it back at the end.

#include "hosting/TargetHost.h"

#include "frame/FollowFrame.h"
#include "hosting/CaptureGeometry.h"
#include "platform/Screens.h"
#include "settings/RunSettings.h"

namespace glaze {
namespace {

// How often the content window looks whether the framed window is still there.
constexpr UINT WatchMilliseconds = 250;

// How long a program may take to answer while its window is taken in.
constexpr DWORD CaptureLimitMs = 3000;

// Whether the window's program handles its messages within the time: one that is hung now would
// hold every call that changes its window.
bool Answers(HWND window, DWORD limitMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, limitMs,
                               &result) != 0;
}

// Whether the window is maximised, and where its client area lies when it is not. The normal
// place comes in workspace coordinates, which start at the corner of the work area.
TargetHost::TakenPlacement PlacementOf(HWND target, const CapturedBorders& borders) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(target, &placement);
    RECT normal = placement.rcNormalPosition;
    if ((GetWindowLongA(target, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0) {
        const MonitorArea monitor = MonitorOf(target);
        OffsetRect(&normal, monitor.Work.X - monitor.Monitor.X, monitor.Work.Y - monitor.Monitor.Y);
    }
    return {IsZoomed(target) != FALSE,
            ClientAreaOf({normal.left, normal.top, normal.right, normal.bottom}, borders)};
}

} // namespace

TargetHost::TargetHost(Form& content, Form& frame) : content_(content), frame_(frame) {}

bool TargetHost::Capture(HWND target) {
    // Nothing has changed on the window until its program has shown that it answers.
    if (!Answers(target, CaptureLimitMs)) {
        return false;
    }
    CapturedTarget captured{target,
                            GetAncestor(target, GA_PARENT),
                            GetWindow(target, GW_OWNER),
                            GetWindowLongA(target, GWL_STYLE),
                            {},
                            GetWindowThreadProcessId(target, nullptr)};
    RECT outer{}, client{};
    GetWindowRect(target, &outer);
    GetClientRect(target, &client);
    POINT topLeft{outer.left, outer.top}, bottomRight{outer.right, outer.bottom};
    ScreenToClient(target, &topLeft);
    ScreenToClient(target, &bottomRight);
    const CapturePlan plan =
        PlanCapture({outer.left, outer.top, outer.right, outer.bottom}, client.right, client.bottom,
                    topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    captured.Borders = plan.Borders;
    taken_ = PlacementOf(target, plan.Borders);
    content_.Move(plan.Content.Left, plan.Content.Top, plan.Content.Right - plan.Content.Left,
                  plan.Content.Bottom - plan.Content.Top);

    // Recorded before the first change: a process failing from here on gives the window back.
    keeper_.Keep(captured,
                 [this](const CapturedBorders& borders) { return ReleasePlace(borders); });
    if (!keeper_.TakeIn(content_.Hwnd(), content_.ScaleWidth(), content_.ScaleHeight(),
                        CaptureLimitMs)) {
        // The program stopped answering on the way: it is not framed, and gets back whatever
        // was changed once it answers again.
        keeper_.GiveBack(false);
        return false;
    }
    filling_ = true;
    // The frame comes up with the captured window whenever it comes to the front, and hands it
    // the keyboard whenever it is made active itself.
    FollowFrame::Values().FramedWindow = target;
    SetTimer(content_.Hwnd(), WatchTimer, WatchMilliseconds, nullptr);
    return true;
}

void TargetHost::Fill() {
    if (!filling_) {
        return;
    }
    // Asynchronous: a program that does not answer must not hold up the frame being sized. The
    // program's own thread makes the move, and repaints what it uncovers.
    SetWindowPos(keeper_.Target().Window, nullptr, 0, 0, content_.ScaleWidth(),
                 content_.ScaleHeight(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void TargetHost::Watch() {
    // The program closed its window or ended: the frame has nothing left to dress. The close
    // runs the ordinary shutdown.
    if (keeper_.Holds() && !keeper_.Target().StillThere()) {
        PostMessageA(frame_.Hwnd(), WM_CLOSE, 0, 0);
    }
}

void TargetHost::NoteBroughtIntoReach() {
    RECT content{};
    GetWindowRect(content_.Hwnd(), &content);
    placedInReach_ = {content.left, content.top, content.right, content.bottom};
    broughtIntoReach_.store(true, std::memory_order_release);
}

ScreenRect TargetHost::ReleasePlace(const CapturedBorders& borders) const {
    RECT content{};
    GetWindowRect(content_.Hwnd(), &content);
    const std::optional<ScreenRect> inReach = broughtIntoReach_.load(std::memory_order_acquire)
                                                  ? std::optional(placedInReach_)
                                                  : std::nullopt;
    return PlanRelease(borders, content.left, content.top, content_.ScaleWidth(),
                       content_.ScaleHeight(), inReach);
}

void TargetHost::Release() {
    if (!keeper_.Holds()) {
        return;
    }
    KillTimer(content_.Hwnd(), WatchTimer);
    filling_ = false;
    // Off the screen at once, even while the program takes its time to answer.
    ShowWindow(frame_.Hwnd(), SW_HIDE);
    ShowWindow(content_.Hwnd(), SW_HIDE);
    keeper_.GiveBack(TheRun().CloseProgram == 1);
    FollowFrame::Values().FramedWindow = nullptr;
}

} // namespace glaze
