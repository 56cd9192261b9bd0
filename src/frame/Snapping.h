#pragma once
// Portable: edges that snap. While the user drags a frame, its edges are drawn to the edges of
// the work area and to the outer edges of the windows around it when they come near, as the
// user knows from other programs' windows.

#include "platform/PixelRect.h"

#include <cstdint>
#include <span>

namespace glaze {

// How near an edge must come to snap, at 96 DPI; it scales with the frame.
inline constexpr int32_t SnapDistance = 12;

// Where a frame dragged to `proposed` goes: along each axis independently, the nearest of these
// within `distance` pixels, else where it was dragged. Its left, right, top and bottom edges to
// the same edges of the work area; its left edge to another window's right edge and its right
// edge to another's left edge (and top to bottom, bottom to top) where the two lie side by side,
// overlapping along the other axis. The frame's size never changes.
PixelRect SnapMove(const PixelRect& proposed, const PixelRect& work,
                   std::span<const PixelRect> others, int32_t distance);

} // namespace glaze
