#pragma once
// Portable: the frame's place on the screens: its size around the content window, where it goes
// when maximised, and where it must go so that the user can reach it.

#include "platform/PixelRect.h"

#include <cstdint>

namespace glaze {

// Where a frame process's frame lies when maximised on this monitor: the work area; a taskbar
// docked along an edge of the monitor that the work area does not leave out (one that hides
// itself, keeping a sliver) cuts it there too, so the taskbar stays in reach. A taskbar that
// is empty, floats, or lies on another monitor changes nothing.
PixelRect MaximisedArea(const MonitorArea& monitor, const PixelRect& taskbar);

// The frame's outer size around a content window of the given outer size: the borders added,
// no larger than the monitor.
struct OuterSize {
    int32_t Width = 0;
    int32_t Height = 0;
};
OuterSize FrameSizeAround(int32_t contentWidth, int32_t contentHeight, int32_t marginH,
                          int32_t marginV, const PixelRect& monitor);

// Where a frame must lie so that the user can take hold of it: its caption band (the top
// `captionHeight` rows) and its buttons (`buttons`, in frame pixels; empty for none) inside the
// work area, moved as little as possible; a frame that is in reach stays where it is. A band
// wider than the work area gives way to the buttons, kept whole from their right end; one
// higher than it keeps its top.
PixelRect ReachablePlace(const PixelRect& frame, int32_t captionHeight, const PixelRect& buttons,
                         const PixelRect& work);

} // namespace glaze
