#pragma once
// Portable: the frame's size around the content window and its size limits.

#include "frame/ComposePlan.h"

#include <cstdint>

namespace glaze {

struct ScreenFacts {
    int32_t Width = 0;
    int32_t Height = 0;
    PixelRect Taskbar;          // empty when there is no taskbar window
    int32_t WorkAreaBottom = 0; // bottom of the primary monitor's work area
};

// The height a frame process's frame maximises to: down to the taskbar's top edge when the
// taskbar is docked at the bottom of the screen. A missing, empty or otherwise docked taskbar
// would give a frame of no height or a sliver, so the work area's bottom is used then.
int32_t MaximisedFrameHeight(const ScreenFacts& screen);

// The frame's outer size around a content window of the given outer size: the borders added,
// no larger than the screen.
struct OuterSize {
    int32_t Width = 0;
    int32_t Height = 0;
};
OuterSize FrameSizeAround(int32_t contentWidth, int32_t contentHeight, int32_t marginH,
                          int32_t marginV, const ScreenFacts& screen);

} // namespace glaze
