#include "platform/Canvas.h"

#include "platform/Screens.h"

#include <optional>
#include <utility>

namespace glaze {

BITMAPINFO MakeBitmapInfo(int32_t width, int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int32_t rows = height < 0 ? -height : height;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(rows) * 4;
    return info;
}

BITMAPINFO MakeScreenBitmapInfo() {
    const SIZE largest = LargestMonitorSize();
    return MakeBitmapInfo(largest.cx, largest.cy);
}

Canvas::Canvas(Canvas&& other) noexcept
    : dc_(std::exchange(other.dc_, nullptr)), bitmap_(std::exchange(other.bitmap_, nullptr)),
      replaced_(std::exchange(other.replaced_, nullptr)) {}

Canvas& Canvas::operator=(Canvas&& other) noexcept {
    if (this != &other) {
        Reset();
        dc_ = std::exchange(other.dc_, nullptr);
        bitmap_ = std::exchange(other.bitmap_, nullptr);
        replaced_ = std::exchange(other.replaced_, nullptr);
    }
    return *this;
}

void Canvas::Reset() {
    if (dc_ != nullptr && replaced_ != nullptr) {
        SelectObject(dc_, replaced_);
    }
    if (dc_ != nullptr) {
        DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) {
        DeleteObject(bitmap_);
    }
    dc_ = nullptr;
    bitmap_ = nullptr;
    replaced_ = nullptr;
}

Canvas CreateCanvas(HDC compatible, const BITMAPINFO& info) {
    Canvas canvas;
    canvas.dc_ = CreateCompatibleDC(compatible);
    if (canvas.dc_ == nullptr) {
        return canvas;
    }
    void* bits = nullptr;
    canvas.bitmap_ = CreateDIBSection(canvas.dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (canvas.bitmap_ == nullptr) {
        return {};
    }
    canvas.replaced_ = SelectObject(canvas.dc_, canvas.bitmap_);
    return canvas;
}

namespace {

// The bitmap of a canvas, when it holds at least width x height pixels.
std::optional<BITMAP> BitmapHolding(HDC canvas, int32_t width, int32_t height) {
    BITMAP bitmap{};
    HGDIOBJ selected = GetCurrentObject(canvas, OBJ_BITMAP);
    if (selected == nullptr || GetObjectA(selected, sizeof(bitmap), &bitmap) == 0 ||
        width > bitmap.bmWidth || height > bitmap.bmHeight || width < 0 || height < 0) {
        return std::nullopt;
    }
    return bitmap;
}

} // namespace

std::vector<uint32_t> ReadCanvasPixels(HDC canvas, int32_t width, int32_t height) {
    const std::optional<BITMAP> held = BitmapHolding(canvas, width, height);
    if (!held) {
        return {};
    }
    const BITMAP& bitmap = *held;
    HGDIOBJ selected = GetCurrentObject(canvas, OBJ_BITMAP);
    // The whole bitmap, top-down, so row y of the buffer is row y of the canvas.
    BITMAPINFO info = MakeBitmapInfo(bitmap.bmWidth, -bitmap.bmHeight);
    const auto stride = static_cast<size_t>(bitmap.bmWidth);
    std::vector<uint32_t> all(stride * static_cast<size_t>(bitmap.bmHeight));
    if (GetDIBits(canvas, static_cast<HBITMAP>(selected), 0, static_cast<UINT>(bitmap.bmHeight),
                  all.data(), &info, DIB_RGB_COLORS) != bitmap.bmHeight) {
        return {};
    }
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (size_t y = 0; y < static_cast<size_t>(height); ++y) {
        const auto row = all.begin() + static_cast<ptrdiff_t>(y * stride);
        pixels.insert(pixels.end(), row, row + width);
    }
    return pixels;
}

bool WriteCanvasPixels(HDC canvas, const std::vector<uint32_t>& pixels, int32_t width,
                       int32_t height) {
    if (!BitmapHolding(canvas, width, height) ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return false;
    }
    // The rows go to the top of the canvas whichever way up its bitmap lies.
    const BITMAPINFO info = MakeBitmapInfo(width, -height);
    return SetDIBitsToDevice(canvas, 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0,
                             0, 0, static_cast<UINT>(height), pixels.data(), &info,
                             DIB_RGB_COLORS) == height;
}

} // namespace glaze
