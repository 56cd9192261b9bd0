// The content window's side of framing another program: taking its window in, keeping it
// filling the content window, and giving it back (or telling the program to quit) at the end.

#include "panel/Form2.h"

#include "frame/ModSysComd.h"
#include "hosting/CaptureGeometry.h"
#include "lifecycle/Captions.h"
#include "lifecycle/ProcessValues.h"
#include "platform/AnsiText.h"

namespace glaze {
namespace {

// Nothing but visible and clipping its siblings: caption, borders, menus and WS_POPUP go.
constexpr LONG CapturedStyle = WS_VISIBLE | WS_CLIPSIBLINGS;

} // namespace

void Form2::hadload(const std::wstring& title) {
    TargetCaptured = false;
    Process.TargetWindow = FindWindowA(nullptr, ToAnsi(TrimBlanks(title)).c_str());
    HWND target = Process.TargetWindow;
    TargetParent = GetParent(target);
    TargetStyle = GetWindowLongA(target, GWL_STYLE);
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
        Borders = plan.Borders;
        Move(plan.Content.Left, plan.Content.Top, plan.Content.Right - plan.Content.Left,
             plan.Content.Bottom - plan.Content.Top);

        SetWindowLongA(target, GWL_STYLE, CapturedStyle);
        SetParent(target, Hwnd());
        MoveWindow(target, 0, 0, ScaleWidth(), ScaleHeight(), FALSE);
        TargetCaptured = true;
    }
    if (!TargetCaptured) {
        ExitProcess(0); // nothing was taken, so nothing needs giving back
    }
}

void Form2::ReleaseTarget() {
    HWND target = Process.TargetWindow;
    if (target == nullptr) {
        return;
    }
    if (Process.QuitFlag == 1) {
        PostMessageA(target, WM_QUIT, 0, 0);
        return;
    }
    LockWindowUpdate(target);
    RECT content{};
    GetWindowRect(Hwnd(), &content);
    const ScreenRect place =
        PlanRelease(Borders, content.left, content.top, ScaleWidth(), ScaleHeight());
    // Still a child of the content window: the re-parenting keeps these numbers, which puts the
    // window's client area where the content window's is.
    MoveWindow(target, place.Left, place.Top, place.Right - place.Left, place.Bottom - place.Top,
               FALSE);
    SetWindowLongA(target, GWL_STYLE, TargetStyle);
    SetParent(target, TargetParent);
    ModSysComd::PostSysCommand(target, SC_MINIMIZE);
    ModSysComd::PostSysCommand(target, SC_RESTORE);
    LockWindowUpdate(nullptr);
}

} // namespace glaze
