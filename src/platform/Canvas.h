#pragma once
// 32-bit canvases: a DIB section selected into a memory device context of its own. No pointer
// to the bits is kept; everything goes through the device context.

#include <windows.h>

#include <cstdint>
#include <vector>

namespace glaze {

// Header of a 32 bpp BI_RGB bitmap of the given size (a negative height makes it top-down).
BITMAPINFO MakeBitmapInfo(int32_t width, int32_t height);

// Header of a 32 bpp BI_RGB bitmap (positive height: bottom-up) as large as the screen is now,
// or the largest monitor where there are several: a frame fits it on any of them.
BITMAPINFO MakeScreenBitmapInfo();

// Owns its device context, its DIB section and the bitmap the context came with. At the end
// each is released explicitly: the context's own bitmap goes back in, then the context and the
// DIB section are deleted.
class Canvas {
public:
    Canvas() = default;
    ~Canvas() { Reset(); }
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&& other) noexcept;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    operator HDC() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void Reset();

private:
    friend Canvas CreateCanvas(HDC compatible, const BITMAPINFO& info);
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ replaced_ = nullptr; // the bitmap the context came with
};

// A new canvas compatible with the given device context, all pixels zero (fully transparent).
// Empty when the platform refuses.
Canvas CreateCanvas(HDC compatible, const BITMAPINFO& info);

// The top-left width x height pixels of a canvas, row by row from the top, as 0xAARRGGBB.
// Empty when the canvas is smaller or cannot be read.
std::vector<uint32_t> ReadCanvasPixels(HDC canvas, int32_t width, int32_t height);

// Writes width x height pixels (row by row from the top, 0xAARRGGBB) to the canvas's top-left
// corner. False when the canvas is smaller or cannot be written.
bool WriteCanvasPixels(HDC canvas, const std::vector<uint32_t>& pixels, int32_t width,
                       int32_t height);

} // namespace glaze
