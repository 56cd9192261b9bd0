#pragma once
// The frame's second hook, on top of its move hook: it answers the platform's size-limit
// question from its limits, turns the system menu's choice into a system command, and
// keeps every message from the frame while a skin is being (re)loaded but the session's end, a
// close, and the news of a changed desk (DPI, display, work area), which the frame follows once
// the load is done.

#include <windows.h>

#include <optional>

namespace glaze::FrameLimits {

// The hook's own values, one set per process.
struct State {
    MINMAXINFO Limits{};         // the frame's size limits as the platform asks for them
    WNDPROC SavedProc = nullptr; // the frame's procedure below this hook: the move hook
    // A frame process's frame maximises over the work area of the monitor it is on, and the
    // taskbar there, both read when the system asks (MaximisedArea); so it is sized, too.
    // Limits then gives its smallest size only.
    bool MaximiseOnItsMonitor = false;
    // While the frame takes a place exactly as given (the rectangle the system suggests on a
    // monitor of another DPI), its size is this, whatever the monitor it leaves allows.
    std::optional<SIZE> PlaceAsGiven;
};
State& Values();

// Fixes the maximised position at the screen's corner and the largest tracking size at the
// current largest size, then hooks the frame.
void InstallLimitsHook(HWND frame);

LRESULT CALLBACK FrameLimitsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace glaze::FrameLimits
