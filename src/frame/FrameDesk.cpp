// The frame on a desk that changes under it: monitors of another DPI, displays that grow, shrink
// or go, work areas that a taskbar takes or gives back. The frame keeps in reach, a maximised
// frame fills its monitor's work area as it is now, and nothing of this runs inside a skin load.

#include "frame/FrameWindow.h"

#include "frame/FrameGeometry.h"
#include "frame/FrameLimits.h"
#include "frame/LoadedSkin.h"
#include "platform/Screens.h"
#include "settings/RunSettings.h"

#include <algorithm>
#include <utility>

namespace glaze {

void FrameWindow::OnDpiChanged(int32_t dpi, const RECT& suggested) {
    // Never a load inside a load: a move the load makes may bring the frame onto another
    // monitor. That load ends first, then the frame follows the last change, once.
    if (loading_) {
        dpiAfterLoad_ = DpiChange{dpi, suggested};
        return;
    }
    // Placed by its own skin load onto a monitor of the DPI it was loaded for, or on its way out.
    if (dpi == skin_.Dpi() || !TheLoadedSkin().Ready) {
        return;
    }
    LoadSkinAt(dpi, suggested);
}

void FrameWindow::FollowChangesDuringLoad() {
    if (const std::optional<DpiChange> change = std::exchange(dpiAfterLoad_, std::nullopt)) {
        OnDpiChanged(change->Dpi, change->Suggested);
    }
    FollowDesk(std::exchange(deskAfterLoad_, DeskChange::None));
}

void FrameWindow::TakePlaceAsGiven(const RECT& frameRect) {
    // The limits hook would answer for the monitor the frame is still on while it moves.
    const SIZE size{frameRect.right - frameRect.left, frameRect.bottom - frameRect.top};
    FrameLimits::Values().PlaceAsGiven = size;
    SetWindowPos(Hwnd(), nullptr, frameRect.left, frameRect.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    FrameLimits::Values().PlaceAsGiven.reset();
}

void FrameWindow::FollowDesk(DeskChange change) {
    if (change == DeskChange::None) {
        return;
    }
    if (loading_) {
        deskAfterLoad_ = std::max(deskAfterLoad_, change);
        return;
    }
    if (!TheLoadedSkin().Ready) {
        return;
    }
    const bool display = change == DeskChange::Display;
    const WindowState state = State();
    // A maximised frame fills its monitor's work area as it is now.
    const std::optional<PixelRect> maximised =
        state == WindowState::Maximized
            ? std::optional(MaximisedArea(MonitorOf(Hwnd()), TaskbarOnMonitorOf(Hwnd())))
            : std::nullopt;
    const int64_t updates = surface_.Updates();
    if (display) {
        // For the size the frame is about to have: it is drawn once, into the canvas it keeps.
        surface_.Refit(Hwnd(), maximised ? SIZE{maximised->Width, maximised->Height}
                                         : SIZE{Width(), Height()});
    }
    if (state == WindowState::Minimized) {
        return; // drawn whole when it is shown again
    }
    const RECT now = WindowRect();
    if (maximised &&
        PixelRect{now.left, now.top, now.right - now.left, now.bottom - now.top} != *maximised) {
        SetWindowPos(Hwnd(), nullptr, maximised->X, maximised->Y, maximised->Width,
                     maximised->Height, SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (!maximised && display) {
        BringIntoReach();
    }
    // Drawn whole once, whether or not the frame moved: a new canvas is blank, and the system
    // may have dropped what a layered window showed.
    if (display && surface_.Updates() == updates) {
        Compose();
    }
}

bool FrameWindow::BringIntoReach() {
    const RECT outer = WindowRect();
    const PixelRect frame{outer.left, outer.top, outer.right - outer.left,
                          outer.bottom - outer.top};
    const PixelRect reachable = ReachablePlace(frame, TheLoadedSkin().MarginTop,
                                               ButtonArea(skin_.Model(), frame.Width, frame.Height),
                                               UsableWorkArea(MonitorNearest(frame)));
    if (reachable == frame) {
        return false;
    }
    SetWindowPos(Hwnd(), nullptr, reachable.X, reachable.Y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void FrameWindow::MaximiseAround(const RECT& normalContent) {
    // Placed first where it goes back to when restored: maximising keeps that place.
    const LoadedSkin& skin = TheLoadedSkin();
    SetWindowPos(
        Hwnd(), nullptr, normalContent.left - skin.MarginLeft, normalContent.top - skin.MarginTop,
        normalContent.right - normalContent.left + skin.MarginH,
        normalContent.bottom - normalContent.top + skin.MarginV, SWP_NOZORDER | SWP_NOACTIVATE);
    BringIntoReach();
    SetState(WindowState::Maximized);
}

void FrameWindow::FitAroundContent(int32_t width, int32_t height) {
    // A maximised frame keeps its monitor: the program fills what the frame holds.
    if (State() != WindowState::Normal) {
        return;
    }
    const LoadedSkin& skin = TheLoadedSkin();
    const auto size =
        FrameSizeAround(width, height, skin.MarginH, skin.MarginV, MonitorOf(Hwnd()).Monitor);
    SetWindowPos(Hwnd(), nullptr, 0, 0, size.Width, size.Height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    BringIntoReach();
}

} // namespace glaze
