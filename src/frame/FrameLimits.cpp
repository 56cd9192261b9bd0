#include "frame/FrameLimits.h"

#include "frame/FrameGeometry.h"
#include "frame/LoadedSkin.h"
#include "platform/Screens.h"

namespace glaze::FrameLimits {

namespace {

// The limits as they stand for the frame where it is now.
MINMAXINFO LimitsFor(HWND frame) {
    MINMAXINFO limits = Values().Limits;
    if (const std::optional<SIZE> given = Values().PlaceAsGiven) {
        limits.ptMinTrackSize = {given->cx, given->cy};
        limits.ptMaxTrackSize = {given->cx, given->cy};
        return limits;
    }
    if (!Values().MaximiseOnItsMonitor) {
        return limits;
    }
    const MonitorArea monitor = MonitorOf(frame);
    const MaximiseLimits maximise = MaximiseInSystemTerms(
        MaximisedArea(monitor, TaskbarOnMonitorOf(frame)), monitor.Monitor, PrimaryMonitor());
    limits.ptMaxPosition = {maximise.Maximised.X, maximise.Maximised.Y};
    limits.ptMaxSize = {maximise.Maximised.Width, maximise.Maximised.Height};
    limits.ptMaxTrackSize = {maximise.TrackWidth, maximise.TrackHeight};
    return limits;
}

// What the frame must hear even during a skin load: the session's end and a close give the
// framed window back; a changed desk is followed once the load is done.
bool PassesDuringLoad(UINT message) {
    switch (message) {
    case WM_QUERYENDSESSION:
    case WM_ENDSESSION:
    case WM_CLOSE:
    case WM_DPICHANGED:
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
        return true;
    default:
        return false;
    }
}

} // namespace

State& Values() {
    static State values;
    return values;
}

void InstallLimitsHook(HWND frame) {
    Values().Limits.ptMaxPosition = POINT{0, 0};
    // Later skins change only the largest and the smallest size; dragging may never go past
    // the largest size of the first one.
    Values().Limits.ptMaxTrackSize = Values().Limits.ptMaxSize;
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(frame, GWLP_WNDPROC));
    // Hooked already: saving this procedure as the one below it would make it call itself.
    if (current == &FrameLimitsProc) {
        return;
    }
    Values().SavedProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameLimitsProc)));
}

// Nothing here throws; the procedures it passes messages on to catch their own failures.
LRESULT CALLBACK FrameLimitsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A skin load rebuilds the frame's images and hit areas; until it is done the frame
    // must neither draw, size nor answer anything from a half-built state.
    if (!TheLoadedSkin().Ready && !PassesDuringLoad(message)) {
        return 0;
    }
    switch (message) {
    case WM_GETMINMAXINFO:
        if (lParam != 0) {
            *reinterpret_cast<MINMAXINFO*>(lParam) = LimitsFor(window);
        }
        return 0;
    case WM_COMMAND:
        // The frame shows its system menu with TrackPopupMenu, which reports the chosen
        // system command as an ordinary menu command.
        CallWindowProcA(Values().SavedProc, window, WM_SYSCOMMAND, wParam, lParam);
        return 0;
    default:
        return CallWindowProcA(Values().SavedProc, window, message, wParam, lParam);
    }
}

} // namespace glaze::FrameLimits
