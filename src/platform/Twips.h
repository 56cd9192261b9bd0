#pragma once
// Portable: form positions set through a form are in twips; the program's geometry is in pixels.

#include "platform/Rounding.h"

#include <cstdint>

namespace glaze {

// Twips per pixel of a screen with the given dots per inch (15 at 96 dpi).
inline double TwipsPerPixel(int32_t dotsPerInch) {
    return 1440.0 / dotsPerInch;
}

inline int32_t PixelsToTwips(int32_t pixels, double twipsPerPixel) {
    return RoundHalfEven(pixels * twipsPerPixel).value_or(0);
}

inline int32_t TwipsToPixels(int32_t twips, double twipsPerPixel) {
    return RoundHalfEven(twips / twipsPerPixel).value_or(0);
}

} // namespace glaze
