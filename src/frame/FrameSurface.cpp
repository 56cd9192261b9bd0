#include "frame/FrameSurface.h"

#include "platform/Scoped.h"
#include "platform/Screens.h"

#include <algorithm>
#include <utility>

namespace glaze {

bool FrameSurface::Cover(HWND window, SIZE frame) {
    frame_ = frame;
    if (canvas_ && frame.cx <= capacity_.cx && frame.cy <= capacity_.cy) {
        return true;
    }
    return Make(window);
}

bool FrameSurface::Refit(HWND window, SIZE frame) {
    frame_ = frame;
    const SIZE largest = LargestMonitorSize();
    if (canvas_ && capacity_.cx == std::max(frame_.cx, largest.cx) &&
        capacity_.cy == std::max(frame_.cy, largest.cy)) {
        return false;
    }
    return Make(window);
}

bool FrameSurface::Renew(HWND window) {
    return Make(window);
}

void FrameSurface::Drop() {
    canvas_.Reset();
    capacity_ = {};
}

bool FrameSurface::Make(HWND window) {
    const SIZE largest = LargestMonitorSize();
    const SIZE wanted{std::max(frame_.cx, largest.cx), std::max(frame_.cy, largest.cy)};
    // The old canvas goes only once a new one is there: a frame keeps what it has when the
    // system gives nothing larger.
    const WindowDc compatible(window);
    for (const SIZE size : {wanted, frame_}) {
        if (size.cx <= 0 || size.cy <= 0) {
            continue;
        }
        Canvas made = CreateCanvas(compatible, MakeBitmapInfo(size.cx, size.cy));
        if (made) {
            canvas_ = std::move(made);
            capacity_ = size;
            return true;
        }
    }
    return false;
}

bool FrameSurface::Show(HWND window, const std::optional<PixelRect>& changed) {
    // A changed rectangle alone is handed over when there is one: under Wine that halves the
    // cost of a button's change of cell on a large frame.
    ++updates_;
    const WindowDc screen(window);
    RECT dirty{};
    if (changed) {
        dirty = {changed->X, changed->Y, changed->X + changed->Width, changed->Y + changed->Height};
    }
    POINT origin{0, 0};
    const UPDATELAYEREDWINDOWINFO info{sizeof(UPDATELAYEREDWINDOWINFO),
                                       screen,
                                       nullptr,
                                       &frame_,
                                       canvas_,
                                       &origin,
                                       0,
                                       &blend_,
                                       ULW_ALPHA,
                                       changed ? &dirty : nullptr};
    return UpdateLayeredWindowIndirect(window, &info) != FALSE;
}

} // namespace glaze
