#include "hosting/CapturedTarget.h"

#include "platform/TestFaults.h"

namespace glaze {
namespace {

// Nothing but visible and clipping its siblings: caption, borders, menus and WS_POPUP go.
constexpr LONG CapturedStyle = WS_VISIBLE | WS_CLIPSIBLINGS;

// The states of the window that its program changes itself while it is framed, read when it goes
// back: a modal dialog disables it, the program hides or shows it, maximises it. Every other bit
// was taken away by the frame and goes back as it was.
constexpr LONG ProgramsOwnStyle = WS_DISABLED | WS_VISIBLE | WS_MAXIMIZE;

// Re-parents the window, which the system may refuse; true when it lies in `parent` now (its real
// parent, whatever its style says).
bool Reparent(HWND window, HWND parent, bool givingBack) {
    if (!TestFaults::ParentRefused(givingBack)) {
        SetParent(window, parent);
    }
    return GetAncestor(window, GA_PARENT) == parent;
}

} // namespace

bool CapturedTarget::StillThere() const {
    return Window != nullptr && IsWindow(Window) &&
           GetWindowThreadProcessId(Window, nullptr) == Thread;
}

bool TakeWindowIn(const CapturedTarget& target, HWND content, int width, int height) {
    // A window disabled by a dialog of its program stays so: the program enables it again.
    SetWindowLongA(target.Window, GWL_STYLE, CapturedStyle | (target.Style & WS_DISABLED));
    if (!Reparent(target.Window, content, false)) {
        // Nothing else was changed: with its own style back, its caption and borders are what
        // they were, and it lies where it lay.
        SetWindowLongA(target.Window, GWL_STYLE, target.Style);
        SetWindowPos(target.Window, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return false;
    }
    MoveWindow(target.Window, 0, 0, width, height, FALSE);
    return true;
}

bool GiveWindowBack(const CapturedTarget& target, const ScreenRect& place, bool closeProgram) {
    const HWND window = target.Window;
    const LONG programs = GetWindowLongA(window, GWL_STYLE) & ProgramsOwnStyle;
    // Taken in maximised (the frame took that state away with the rest) or maximised by its
    // program since.
    const bool maximised =
        ((target.Style | programs) & WS_MAXIMIZE) != 0 && (programs & WS_VISIBLE) != 0;
    LockWindowUpdate(window);
    // Still a child of the content window: the re-parenting keeps these numbers, which puts the
    // window's client area where the content window's is.
    MoveWindow(window, place.Left, place.Top, place.Right - place.Left, place.Bottom - place.Top,
               FALSE);
    // A window to be maximised goes back restored first, so that maximising it is a change the
    // system lays out in full.
    SetWindowLongA(window, GWL_STYLE,
                   (target.Style & ~ProgramsOwnStyle) |
                       (maximised ? programs & ~WS_MAXIMIZE : programs));
    if (!Reparent(window, target.Parent, true)) {
        LockWindowUpdate(nullptr);
        return false;
    }
    if (GetWindow(window, GW_OWNER) != target.Owner) {
        // The owner of a top-level window is set through what the platform calls its parent.
        SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(target.Owner));
    }
    // Its caption and borders, worked out again for the style it has back: the documented call,
    // which a disabled or busy window carries out as well (system commands it ignores).
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (maximised) {
        // Its own restored place as it was taken, then maximised by its own thread.
        WINDOWPLACEMENT placement = target.Placement;
        placement.length = sizeof placement;
        placement.flags = 0;
        placement.showCmd = SW_SHOWNA;
        SetWindowPlacement(window, &placement);
        ShowWindowAsync(window, SW_SHOWMAXIMIZED);
    }
    LockWindowUpdate(nullptr);
    if (closeProgram && (programs & WS_DISABLED) == 0) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return true;
}

} // namespace glaze
