#pragma once
// Portable: numbers authored for 96 dots per inch, at another DPI. Every length and place that
// is scaled goes through the one rounding rule here, so that pieces computed from the same
// numbers still meet.

#include "platform/PixelRect.h"
#include "platform/Rounding.h"

#include <cstdint>

namespace glaze {

// The DPI that skins, the panel's layout and every other authored number are made for.
inline constexpr int32_t DesignDpi = 96;

// No screen comes near this: 32 times the design DPI.
inline constexpr int32_t MaxDpi = 32 * DesignDpi;

// A DPI as the scaling uses it: nothing sensible (0 or less) counts as the design DPI, and
// none goes beyond MaxDpi.
constexpr int32_t UsableDpi(int32_t dpi) {
    return dpi <= 0 ? DesignDpi : dpi > MaxDpi ? MaxDpi : dpi;
}

// value x dpi / 96 to the nearest integer, halves away from zero, so that a place counted from
// the left and the same place counted from the right (a negative number) scale alike.
// Saturated to 32 bits.
constexpr int32_t ScaleForDpi(int32_t value, int32_t dpi) {
    const int64_t magnitude = value < 0 ? -int64_t{value} : int64_t{value};
    const int64_t scaled = (2 * magnitude * UsableDpi(dpi) + DesignDpi) / (2 * DesignDpi);
    return Saturate(value < 0 ? -scaled : scaled);
}

// A rectangle at dpi: its edges scaled, so rectangles that meet at 96 DPI still meet.
constexpr PixelRect ScaleRectForDpi(const PixelRect& rect, int32_t dpi) {
    const int32_t left = ScaleForDpi(rect.X, dpi);
    const int32_t top = ScaleForDpi(rect.Y, dpi);
    return {left, top,
            Saturate(int64_t{ScaleForDpi(Saturate(int64_t{rect.X} + rect.Width), dpi)} - left),
            Saturate(int64_t{ScaleForDpi(Saturate(int64_t{rect.Y} + rect.Height), dpi)} - top)};
}

} // namespace glaze
