#pragma once
// Portable: the frame's place on the screens: its size around the content window, where it goes
// when maximised, and where it must go so that the user can reach it.

#include "platform/PixelRect.h"

#include <cstdint>

namespace glaze {

// The part of the monitor that windows are laid out in: its work area, or the whole monitor
// where the work area is empty (a work area of nothing cannot be right).
PixelRect UsableWorkArea(const MonitorArea& monitor);

// Where a frame process's frame lies when maximised on this monitor: the work area; a taskbar
// docked along an edge of the monitor that the work area does not leave out (one that hides
// itself, keeping a sliver) cuts it there too, so the taskbar stays in reach. A taskbar that
// is empty, floats, or lies on another monitor changes nothing.
PixelRect MaximisedArea(const MonitorArea& monitor, const PixelRect& taskbar);

// What the frame hands the system so that it maximises over `area` of `monitor`, `primary`
// being the primary monitor. The system reads the maximised place and size as if for the
// primary monitor: the place is taken from the corner of the monitor the window maximises on,
// and a size that covers the primary monitor grows or shrinks by as much as that monitor is
// larger or smaller, any other size is taken as it is. An area that rule cannot give (one that
// covers the primary monitor but not its own, larger one) is handed over as it is and cut back
// by the largest tracking size, which the system holds a maximised window to as well. The
// largest tracking size is the area's size: a frame is sized up to what it fills maximised.
struct MaximiseLimits {
    PixelRect Maximised; // place (from the monitor's corner) and size, in the system's terms
    int32_t TrackWidth = 0;
    int32_t TrackHeight = 0;
};
MaximiseLimits MaximiseInSystemTerms(const PixelRect& area, const PixelRect& monitor,
                                     const PixelRect& primary);

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
