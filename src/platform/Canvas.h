#pragma once
// Screen-sized 32-bit canvases: a DIB section selected into its own memory device context.
// Deleting the context frees the bitmap (ScopedMemoryDc). No pointer to the bits is kept;
// everything goes through the device context.

#include "platform/Scoped.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace glaze {

// Header of a 32 bpp BI_RGB bitmap of the given size (a negative height makes it top-down).
BITMAPINFO MakeBitmapInfo(int32_t width, int32_t height);

// Header of a 32 bpp BI_RGB bitmap as large as the screen is now (positive height: bottom-up).
BITMAPINFO MakeScreenBitmapInfo();

// A new canvas compatible with the given device context, all pixels zero (fully transparent).
// Empty when the platform refuses.
ScopedMemoryDc CreateCanvas(HDC compatible, const BITMAPINFO& info);

// The top-left width x height pixels of a canvas, row by row from the top, as 0xAARRGGBB.
// Empty when the canvas is smaller or cannot be read.
std::vector<uint32_t> ReadCanvasPixels(HDC canvas, int32_t width, int32_t height);

} // namespace glaze
