#pragma once
// Portable: rectangles of pixels on the screens.

#include <cstdint>

namespace glaze {

struct PixelRect {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// How far in from each side of a rectangle something lies.
struct PixelInsets {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    friend bool operator==(const PixelInsets&, const PixelInsets&) = default;
};

// A monitor in screen pixels: all of it, and its work area (less the taskbar and other bars
// docked on it). Monitors left of or above the primary one have negative coordinates.
struct MonitorArea {
    PixelRect Monitor;
    PixelRect Work;
};

} // namespace glaze
