// The content window's side of framing another program: taking its window in, keeping it
// filling the content window, watching that it is still there, and giving it back at the end.

#include "hosting/TargetHost.h"

#include "frame/FollowFrame.h"
#include "hosting/CaptureGeometry.h"
#include "platform/AnsiText.h"
#include "platform/Captions.h"
#include "settings/RunSettings.h"

namespace glaze {
namespace {

// Nothing but visible and clipping its siblings: caption, borders, menus and WS_POPUP go.
constexpr LONG CapturedStyle = WS_VISIBLE | WS_CLIPSIBLINGS;

// How often the content window looks whether the framed window is still there.
constexpr UINT WatchMilliseconds = 250;

} // namespace

TargetHost::TargetHost(Form& content, Form& frame) : content_(content), frame_(frame) {}

bool TargetHost::Capture(const std::wstring& title) {
    const HWND target = FindWindowA(nullptr, ToAnsi(title).c_str());
    if (target == nullptr) {
        return false;
    }
    CapturedTarget captured{target,
                            GetParent(target),
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
    content_.Move(plan.Content.Left, plan.Content.Top, plan.Content.Right - plan.Content.Left,
                  plan.Content.Bottom - plan.Content.Top);

    SetWindowLongA(target, GWL_STYLE, CapturedStyle);
    SetParent(target, content_.Hwnd());
    MoveWindow(target, 0, 0, content_.ScaleWidth(), content_.ScaleHeight(), FALSE);
    // Recorded only now: until the window lies on the content window, sizing the content window
    // must not size it.
    Captured = captured;
    // The frame comes up with the captured window whenever it comes to the front.
    FollowFrame::Values().FramedWindow = target;
    SetTimer(content_.Hwnd(), WatchTimer, WatchMilliseconds, nullptr);
    return true;
}

void TargetHost::Fill() {
    if (!TargetCaptured()) {
        return;
    }
    // Asynchronous: a program that does not answer must not hold up the frame being sized. The
    // program's own thread makes the move, and repaints what it uncovers.
    SetWindowPos(Captured.Window, nullptr, 0, 0, content_.ScaleWidth(), content_.ScaleHeight(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void TargetHost::Watch() {
    // The program closed its window or ended: the frame has nothing left to dress. The close
    // runs the ordinary shutdown; while a skin loads the frame takes no messages, so the next
    // round asks again.
    if (TargetCaptured() && !Captured.StillThere()) {
        PostMessageA(frame_.Hwnd(), WM_CLOSE, 0, 0);
    }
}

ScreenRect TargetHost::ReleasePlace() const {
    RECT content{};
    GetWindowRect(content_.Hwnd(), &content);
    return PlanRelease(Captured.Borders, content.left, content.top, content_.ScaleWidth(),
                       content_.ScaleHeight());
}

void TargetHost::Release() {
    if (!TargetCaptured()) {
        return;
    }
    KillTimer(content_.Hwnd(), WatchTimer);
    // Nothing to give back when the window went with its program.
    if (Captured.StillThere()) {
        const ScreenRect place = ReleasePlace();
        // Off the screen at once, even while the program takes its time to answer.
        ShowWindow(frame_.Hwnd(), SW_HIDE);
        ShowWindow(content_.Hwnd(), SW_HIDE);
        GiveBack(Captured, place, TheRun().CloseProgram == 1);
    }
    Forget();
}

void TargetHost::ReleaseAtOnce() {
    if (TargetCaptured() && Captured.StillThere()) {
        GiveBackAtOnce(Captured, ReleasePlace());
    }
    Forget();
}

void TargetHost::Forget() {
    // Only once it is back: a process that fails while giving it back still has it to give.
    Captured = {};
    FollowFrame::Values().FramedWindow = nullptr;
}

} // namespace glaze
