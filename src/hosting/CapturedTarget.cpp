#include "hosting/CapturedTarget.h"

#include "platform/SysCommand.h"

namespace glaze {
namespace {

// Nothing but visible and clipping its siblings: caption, borders, menus and WS_POPUP go.
constexpr LONG CapturedStyle = WS_VISIBLE | WS_CLIPSIBLINGS;

} // namespace

bool CapturedTarget::StillThere() const {
    return Window != nullptr && IsWindow(Window) &&
           GetWindowThreadProcessId(Window, nullptr) == Thread;
}

void TakeWindowIn(const CapturedTarget& target, HWND content, int width, int height) {
    SetWindowLongA(target.Window, GWL_STYLE, CapturedStyle);
    SetParent(target.Window, content);
    MoveWindow(target.Window, 0, 0, width, height, FALSE);
}

void GiveWindowBack(const CapturedTarget& target, const ScreenRect& place, bool closeProgram) {
    const HWND window = target.Window;
    LockWindowUpdate(window);
    // Still a child of the content window: the re-parenting keeps these numbers, which puts the
    // window's client area where the content window's is.
    MoveWindow(window, place.Left, place.Top, place.Right - place.Left, place.Bottom - place.Top,
               FALSE);
    SetWindowLongA(window, GWL_STYLE, target.Style);
    SetParent(window, target.Parent);
    if (GetWindow(window, GW_OWNER) != target.Owner) {
        // The owner of a top-level window is set through what the platform calls its parent.
        SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(target.Owner));
    }
    SysCommand::PostSysCommand(window, SC_MINIMIZE);
    SysCommand::PostSysCommand(window, SC_RESTORE);
    LockWindowUpdate(nullptr);
    if (closeProgram) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
}

} // namespace glaze
