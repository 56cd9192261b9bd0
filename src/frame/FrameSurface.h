#pragma once
// The canvas the frame is composed into, and its way to the screen: one layered-window update of
// the whole frame, or of the rectangle that changed. The canvas always covers the frame: it is as
// large as the largest monitor, or as the frame where that is larger, made anew when the frame
// outgrows it and fitted again when the monitors change, so it never grows beyond the two.

#include "platform/Canvas.h"
#include "platform/PixelRect.h"

#include <windows.h>

#include <cstdint>
#include <optional>

namespace glaze {

class FrameSurface {
public:
    // The frame is drawn at this size from now on: the canvas is made anew (compatible with the
    // window's) when it does not cover it. False when the system gives no canvas that does (the
    // old one, if any, stays).
    bool Cover(HWND window, SIZE frame);
    // The monitors changed, and the frame is about to have this size: the canvas is made anew,
    // grown or shrunk, unless it has the size the monitors and the frame ask for already. True
    // when it was made anew (and is blank).
    bool Refit(HWND window, SIZE frame);
    // A new, blank canvas of the size the monitors and the frame ask for, in place of one the
    // system no longer takes.
    bool Renew(HWND window);
    void Drop();

    explicit operator bool() const { return static_cast<bool>(canvas_); }
    HDC Dc() const { return canvas_; }
    // The size the frame is drawn at, and the canvas's own size.
    SIZE Frame() const { return frame_; }
    SIZE Capacity() const { return capacity_; }

    // How opaque the whole frame is shown, 255 for not at all see-through.
    void SetOpacity(BYTE alpha) { blend_.SourceConstantAlpha = alpha; }
    // Hands the frame's pixels to the layered window, only the changed rectangle when there is
    // one. False when the system refused the update: nothing of it reached the screen.
    bool Show(HWND window, const std::optional<PixelRect>& changed = std::nullopt);
    // Layered-window updates asked for since the surface was made: the canvas reaches the screen
    // only when what it shows has changed.
    int64_t Updates() const { return updates_; }

private:
    // A canvas of the size the monitors and the frame ask for, or of the frame's alone when the
    // system gives none that large.
    bool Make(HWND window);

    Canvas canvas_;
    SIZE capacity_{};
    SIZE frame_{};
    BLENDFUNCTION blend_{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    int64_t updates_ = 0;
};

} // namespace glaze
