// The content window's side of framing another program: taking its window in, keeping it
// filling the content window, watching that it is still there, and giving it back at the end.

#include "panel/Form2.h"

#include "frame/Form1.h"
#include "hosting/CaptureGeometry.h"
#include "lifecycle/Captions.h"
#include "lifecycle/ProcessValues.h"
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

void Form2::hadload(const std::wstring& title) {
    TargetCaptured = false;
    Process.TargetWindow = FindWindowA(nullptr, ToAnsi(TrimBlanks(title)).c_str());
    HWND target = Process.TargetWindow;
    Captured.Window = target;
    Captured.Parent = GetParent(target);
    Captured.Style = GetWindowLongA(target, GWL_STYLE);
    Captured.Thread = GetWindowThreadProcessId(target, nullptr);
    if (target != nullptr) {
        ShowWindow(Picture1, SW_HIDE);
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

void Form2::FillWithTarget() {
    if (Process.TargetWindow == nullptr || !TargetCaptured) {
        return;
    }
    // Asynchronous: a program that does not answer must not hold up the frame being sized. The
    // program's own thread makes the move, and repaints what it uncovers.
    SetWindowPos(Process.TargetWindow, nullptr, 0, 0, ScaleWidth(), ScaleHeight(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void Form2::WatchTarget() {
    // The program closed its window or ended: the frame has nothing left to dress. The close
    // runs the ordinary shutdown; while a skin loads the frame takes no messages, so the next
    // round asks again.
    if (TargetCaptured && !Captured.StillThere()) {
        PostMessageA(TheForm1().Hwnd(), WM_CLOSE, 0, 0);
    }
}

ScreenRect Form2::ReleasePlace() const {
    RECT content{};
    GetWindowRect(Hwnd(), &content);
    return PlanRelease(Captured.Borders, content.left, content.top, ScaleWidth(), ScaleHeight());
}

void Form2::ReleaseTarget() {
    if (Process.TargetWindow == nullptr) {
        return;
    }
    KillTimer(Hwnd(), WatchTimer);
    if (!Captured.StillThere()) {
        return; // gone with its program: nothing to give back
    }
    const ScreenRect place = ReleasePlace();
    // Off the screen at once, even while the program takes its time to answer.
    ShowWindow(TheForm1().Hwnd(), SW_HIDE);
    ShowWindow(Hwnd(), SW_HIDE);
    GiveBack(Captured, place, Process.QuitFlag == 1);
}

void Form2::ReleaseTargetAtOnce() {
    if (Process.TargetWindow != nullptr && TargetCaptured && Captured.StillThere()) {
        GiveBackAtOnce(Captured, ReleasePlace());
    }
}

} // namespace glaze
