#pragma once
// Snapping a frame while the user drags it: the edges around it are gathered when the drag
// starts (nothing else moves meanwhile), and every step of the system's move loop is drawn to
// the nearest of them (Snapping.h). Holding Shift drags freely.

#include "platform/PixelRect.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace glaze {

class DragSnapping {
public:
    // The drag of `frame` starts; `content` lies on it and is no edge to snap to; the frame's
    // edges lie `margin` inside its outer rectangle. Nothing snaps unless `wanted`.
    void Begin(HWND frame, HWND content, int32_t dpi, const PixelInsets& margin, bool wanted);
    // The move loop proposes this outer rectangle (screen pixels); it may be moved.
    void Adjust(RECT& proposed) const;
    void End();

private:
    bool active_ = false;
    int32_t distance_ = 0;
    PixelInsets margin_;
    std::vector<PixelRect> others_; // the visible windows around, as the user sees them
};

} // namespace glaze
