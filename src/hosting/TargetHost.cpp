// The content window's side of framing another program: taking its window in, keeping it
// filling the content window, watching that it is still there, and giving it back at the end.

#include "panel/ContentWindow.h"

#include "frame/FrameWindow.h"
#include "hosting/CaptureGeometry.h"
#include "platform/Captions.h"
#include "settings/RunSettings.h"
#include "frame/FollowFrame.h"
#include "lifecycle/TheForms.h"
#include "platform/AnsiText.h"

namespace glaze {
namespace {

// Nothing but visible and clipping its siblings: caption, borders, menus and WS_POPUP go.
constexpr LONG CapturedStyle = WS_VISIBLE | WS_CLIPSIBLINGS;

// How often the content window looks whether the framed window is still there.
constexpr UINT_PTR WatchTimer = 1;
constexpr UINT WatchMilliseconds = 250;

} // namespace

void ContentWindow::CaptureTarget(const std::wstring& title) {
    TargetCaptured = false;
    FollowFrame::Values().FramedWindow = FindWindowA(nullptr, ToAnsi(TrimBlanks(title)).c_str());
    HWND target = FollowFrame::Values().FramedWindow;
    Captured.Window = target;
    Captured.Parent = GetParent(target);
    Captured.Style = GetWindowLongA(target, GWL_STYLE);
    Captured.Thread = GetWindowThreadProcessId(target, nullptr);
    if (target != nullptr) {
        ShowWindow(ControlsPane, SW_HIDE);
        RECT outer{}, client{};
        GetWindowRect(target, &outer);
        GetClientRect(target, &client);
        POINT topLeft{outer.left, outer.top}, bottomRight{outer.right, outer.bottom};
        ScreenToClient(target, &topLeft);
        ScreenToClient(target, &bottomRight);
        const CapturePlan plan =
            PlanCapture({outer.left, outer.top, outer.right, outer.bottom}, client.right,
                        client.bottom, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
        Captured.Borders = plan.Borders;
        Move(plan.Content.Left, plan.Content.Top, plan.Content.Right - plan.Content.Left,
             plan.Content.Bottom - plan.Content.Top);

        SetWindowLongA(target, GWL_STYLE, CapturedStyle);
        SetParent(target, Hwnd());
        MoveWindow(target, 0, 0, ScaleWidth(), ScaleHeight(), FALSE);
        TargetCaptured = true;
        SetTimer(Hwnd(), WatchTimer, WatchMilliseconds, nullptr);
    }
    if (!TargetCaptured) {
        ExitProcess(0); // nothing was taken, so nothing needs giving back
    }
}

void ContentWindow::FillWithTarget() {
    if (FollowFrame::Values().FramedWindow == nullptr || !TargetCaptured) {
        return;
    }
    // Asynchronous: a program that does not answer must not hold up the frame being sized. The
    // program's own thread makes the move, and repaints what it uncovers.
    SetWindowPos(FollowFrame::Values().FramedWindow, nullptr, 0, 0, ScaleWidth(), ScaleHeight(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void ContentWindow::WatchTarget() {
    // The program closed its window or ended: the frame has nothing left to dress. The close
    // runs the ordinary shutdown; while a skin loads the frame takes no messages, so the next
    // round asks again.
    if (TargetCaptured && !Captured.StillThere()) {
        PostMessageA(TheFrameWindow().Hwnd(), WM_CLOSE, 0, 0);
    }
}

ScreenRect ContentWindow::ReleasePlace() const {
    RECT content{};
    GetWindowRect(Hwnd(), &content);
    return PlanRelease(Captured.Borders, content.left, content.top, ScaleWidth(), ScaleHeight());
}

void ContentWindow::ReleaseTarget() {
    if (FollowFrame::Values().FramedWindow == nullptr) {
        return;
    }
    KillTimer(Hwnd(), WatchTimer);
    if (!Captured.StillThere()) {
        return; // gone with its program: nothing to give back
    }
    const ScreenRect place = ReleasePlace();
    // Off the screen at once, even while the program takes its time to answer.
    ShowWindow(TheFrameWindow().Hwnd(), SW_HIDE);
    ShowWindow(Hwnd(), SW_HIDE);
    GiveBack(Captured, place, TheRun().CloseProgram == 1);
}

void ContentWindow::ReleaseTargetAtOnce() {
    if (FollowFrame::Values().FramedWindow != nullptr && TargetCaptured && Captured.StillThere()) {
        GiveBackAtOnce(Captured, ReleasePlace());
    }
}

} // namespace glaze
