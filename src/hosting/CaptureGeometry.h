#pragma once
// Portable: where the content window goes when it takes a window in, and where that window
// goes when it is given back. Any 32-bit numbers give defined, saturated rectangles.

#include <cstdint>
#include <optional>

namespace glaze {

struct ScreenRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// What a captured window needs to be given back with its own borders.
struct CapturedBorders {
    int32_t BorderLeft = 0; // outer left edge to the client area
    int32_t BorderTop = 0;
    int32_t NonClientWidth = 0; // window width minus client width
    int32_t NonClientHeight = 0;
    ScreenRect Taken; // the content window's rectangle when the window was taken in
};

struct CapturePlan {
    CapturedBorders Borders;
    ScreenRect Content; // the content window, covering the window's client area exactly
};

// From the window's outer rectangle, its client size, and the outer corners in the window's
// client coordinates. A window without a client area (minimised) gets a 640 x 480 content
// window, while its borders still come from the real, empty client rectangle.
CapturePlan PlanCapture(const ScreenRect& window, int32_t clientWidth, int32_t clientHeight,
                        int32_t topLeftX, int32_t topLeftY, int32_t bottomRightX,
                        int32_t bottomRightY);

// The window given back: its client area where the content window's client area is now. A
// content window of no area gives the window back where and as large as it was taken in, and so
// does one that still lies where it was put to bring its frame into reach (`placedInReach`):
// nobody has moved the frame since.
ScreenRect PlanRelease(const CapturedBorders& borders, int32_t contentLeft, int32_t contentTop,
                       int32_t contentWidth, int32_t contentHeight,
                       const std::optional<ScreenRect>& placedInReach = std::nullopt);

// The client area a window of this outer rectangle has, with the borders it was taken with: where
// a maximised window's content goes when it is no longer maximised.
ScreenRect ClientAreaOf(const ScreenRect& window, const CapturedBorders& borders);

} // namespace glaze
