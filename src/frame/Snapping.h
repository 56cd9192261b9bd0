#pragma once
// Portable: edges that snap. While the user drags a frame, its edges are drawn to the edges of
// the work area and to the outer edges of the windows around it when they come near, as the
// user knows from other programs' windows.

#include "platform/PixelRect.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace glaze {

// How near an edge must come to snap, at 96 DPI; it scales with the frame.
inline constexpr int32_t SnapDistance = 12;

// Where a frame dragged to `proposed` goes: along each axis independently, the nearest of these
// within `distance` pixels, else where it was dragged. Its left, right, top and bottom edges to
// the same edges of the work area; its left edge to another window's right edge and its right
// edge to another's left edge (and top to bottom, bottom to top) where the two lie side by side,
// overlapping along the other axis. The frame's edges are the ones the user sees, `margin`
// inside its outer rectangle (a skin's shadow lies outside them). The frame's size never
// changes.
PixelRect SnapMove(const PixelRect& proposed, const PixelInsets& margin, const PixelRect& work,
                   std::span<const PixelRect> others, int32_t distance);

// The transparent margin around the edges of a frame image (width x height premultiplied
// 0xAARRGGBB pixels, row by row from the top) with these borders: on each side, the lines of
// the border, from the outside in, before the first one with a pixel at least three quarters
// as opaque as the border's most opaque one. A shadow or a glow lies there; the edge the user
// sees begins after it. Each side is read along its stretched edge piece, where the corners
// leave one.
PixelInsets TransparentMargin(std::span<const uint32_t> pixels, int32_t width, int32_t height,
                              const PixelInsets& borders);

// What the system says of a top-level window near a dragged frame.
struct WindowLook {
    std::string_view ClassName;
    bool OnScreen = false;          // shown, not minimised, not hidden by the system (cloaked)
    bool ToolWindow = false;        // a palette or helper, left out of the taskbar
    bool AppWindow = false;         // asks for a taskbar button all the same
    bool Layered = false;           // drawn with per-window or per-pixel opacity
    bool MouseThrough = false;      // the mouse passes through it to what lies below
    std::optional<uint8_t> Opacity; // a layered window's opacity, when it was given one
    PixelRect Seen;                 // its rectangle as the user sees it
};

// Whether a frame lines up with the window: one a user would call a window, on the screen, of
// some size. Not the desktop or the taskbars; not a tool window; not a layered window that
// cannot be seen (no opacity) or clicked (the shadows and glows other programs lay around
// their windows).
bool IsWindowToSnapTo(const WindowLook& look);

} // namespace glaze
