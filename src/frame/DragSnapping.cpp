#include "frame/DragSnapping.h"

#include "frame/Snapping.h"
#include "platform/Captions.h"
#include "platform/DpiScale.h"
#include "platform/Screens.h"
#include "platform/AnsiText.h"
#include "platform/TopLevelWindows.h"

#include <optional>

namespace glaze {
namespace {

// Where a window lies that the frame lines up with: not this frame's own, nor another frame's
// content window (which lies inside its frame), and one the user sees as a window at all.
std::optional<PixelRect> EdgesOf(HWND window, HWND frame, HWND content) {
    // Most top-level windows are hidden: they are passed over first.
    if (window == frame || window == content || !IsOnScreen(window) ||
        WindowTitle(window) == TitleMarker) {
        return std::nullopt;
    }
    char className[32]{};
    GetClassNameA(window, className, sizeof className);
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
    WindowLook look;
    look.ClassName = className;
    look.OnScreen = true;
    look.ToolWindow = (exStyle & WS_EX_TOOLWINDOW) != 0;
    look.AppWindow = (exStyle & WS_EX_APPWINDOW) != 0;
    look.Layered = (exStyle & WS_EX_LAYERED) != 0;
    look.MouseThrough = (exStyle & WS_EX_TRANSPARENT) != 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (look.Layered && GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) &&
        (flags & LWA_ALPHA) != 0) {
        look.Opacity = alpha;
    }
    look.Seen = VisibleRectOf(window);
    if (!IsWindowToSnapTo(look)) {
        return std::nullopt;
    }
    return look.Seen;
}

} // namespace

void DragSnapping::Begin(HWND frame, HWND content, int32_t dpi, const PixelInsets& margin,
                         bool wanted) {
    others_.clear();
    active_ = wanted;
    distance_ = ScaleForDpi(SnapDistance, dpi);
    margin_ = margin;
    if (!active_) {
        return;
    }
    for (const HWND window : TopLevelWindows()) {
        if (const std::optional<PixelRect> edges = EdgesOf(window, frame, content)) {
            others_.push_back(*edges);
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
    const PixelRect snapped =
        SnapMove(dragged, margin_, MonitorNearest(dragged).Work, others_, distance_);
    OffsetRect(&proposed, snapped.X - dragged.X, snapped.Y - dragged.Y);
}

void DragSnapping::End() {
    active_ = false;
    others_.clear();
}

} // namespace glaze
