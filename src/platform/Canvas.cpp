#include "platform/Canvas.h"

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
    return MakeBitmapInfo(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

ScopedMemoryDc CreateCanvas(HDC compatible, const BITMAPINFO& info) {
    ScopedMemoryDc canvas(CreateCompatibleDC(compatible));
    if (!canvas) {
        return canvas;
    }
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(canvas, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) {
        return {};
    }
    SelectObject(canvas, bitmap); // from here on the context owns the bitmap
    return canvas;
}

std::vector<uint32_t> ReadCanvasPixels(HDC canvas, int32_t width, int32_t height) {
    BITMAP bitmap{};
    HGDIOBJ selected = GetCurrentObject(canvas, OBJ_BITMAP);
    if (selected == nullptr || GetObjectA(selected, sizeof(bitmap), &bitmap) == 0 ||
        width > bitmap.bmWidth || height > bitmap.bmHeight || width < 0 || height < 0) {
        return {};
    }
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

} // namespace glaze
