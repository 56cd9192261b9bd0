#include "frame/DragSnapping.h"

#include "frame/Snapping.h"
#include "platform/Captions.h"
#include "platform/DpiScale.h"
#include "platform/Screens.h"
#include "platform/AnsiText.h"
#include "platform/TopLevelWindows.h"

namespace glaze {
namespace {

// Windows a frame lines up with: shown, of some size, not the desktop's own windows, and none
// of this frame's nor another frame's content window (which lies inside its frame).
bool IsEdgeToSnapTo(HWND window, HWND frame, HWND content) {
    if (window == frame || window == content || !IsOnScreen(window)) {
        return false;
    }
    char className[32]{};
    GetClassNameA(window, className, sizeof className);
    const std::string_view kind(className);
    if (kind == "Progman" || kind == "WorkerW" || kind == "Shell_TrayWnd") {
        return false;
    }
    return WindowTitle(window) != TitleMarker;
}

} // namespace

void DragSnapping::Begin(HWND frame, HWND content, int32_t dpi, bool wanted) {
    others_.clear();
    active_ = wanted;
    distance_ = ScaleForDpi(SnapDistance, dpi);
    if (!active_) {
        return;
    }
    for (const HWND window : TopLevelWindows()) {
        if (IsEdgeToSnapTo(window, frame, content)) {
            const PixelRect seen = VisibleRectOf(window);
            if (seen.Width > 0 && seen.Height > 0) {
                others_.push_back(seen);
            }
        }
    }
}

void DragSnapping::Adjust(RECT& proposed) const {
    // Shift held: the user places the frame exactly.
    if (!active_ || (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0) {
        return;
    }
    const PixelRect dragged{proposed.left, proposed.top, proposed.right - proposed.left,
                            proposed.bottom - proposed.top};
    const PixelRect snapped = SnapMove(dragged, MonitorNearest(dragged).Work, others_, distance_);
    OffsetRect(&proposed, snapped.X - dragged.X, snapped.Y - dragged.Y);
}

void DragSnapping::End() {
    active_ = false;
    others_.clear();
}

} // namespace glaze
