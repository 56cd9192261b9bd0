#include "frame/DragSnapping.h"

#include "frame/Snapping.h"
#include "platform/Captions.h"
#include "platform/DpiScale.h"
#include "platform/Screens.h"
#include "platform/AnsiText.h"

namespace glaze {
namespace {

struct Gathering {
    HWND Frame;
    HWND Content;
    std::vector<PixelRect>* Others;
};

// Windows a frame lines up with: shown, of some size, not the desktop's own windows, and none
// of this frame's nor another frame's content window (which lies inside its frame).
bool IsEdgeToSnapTo(HWND window, const Gathering& gathering) {
    if (window == gathering.Frame || window == gathering.Content || !IsOnScreen(window)) {
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
    Gathering gathering{frame, content, &others_};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            const auto& g = *reinterpret_cast<const Gathering*>(param);
            if (IsEdgeToSnapTo(window, g)) {
                const PixelRect seen = VisibleRectOf(window);
                if (seen.Width > 0 && seen.Height > 0) {
                    g.Others->push_back(seen);
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&gathering));
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
