#pragma once
// GDI+ through its flat interface: the process's session, and decoding an image from bytes.

#include "platform/ImageFile.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace glaze {

// GDI+ version 1 for as long as the object lives (no debug callback, background thread and
// codecs not suppressed).
class GdiPlusSession {
public:
    GdiPlusSession();
    ~GdiPlusSession();
    GdiPlusSession(const GdiPlusSession&) = delete;
    GdiPlusSession& operator=(const GdiPlusSession&) = delete;

    // False when GDI+ could not start; nothing of it may be used then.
    bool Started() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

struct DecodedSize {
    int32_t Width = 0;
    int32_t Height = 0;
};

// The canvas to draw a decoded image into, asked for once its size is known; none refuses the
// image.
using CanvasForImage = std::function<HDC(DecodedSize size)>;

// Decodes the bytes (any format GDI+ reads) from a memory stream over their own block and draws
// the image at (0, 0) of the canvas at exactly its pixel size, whatever resolution the file
// records, keeping its alpha as premultiplied pixels. Nothing when the bytes are not an image,
// or when their header declares a size that may not be decoded on a screen of that many pixels
// (IsDecodableSize): that is decided from the header, before GDI+ sees the bytes.
std::optional<DecodedSize> DrawImageBytes(const ImageBytes& bytes, int64_t screenPixels,
                                          const CanvasForImage& canvasFor);

// Writes width x height straight-alpha 0xAARRGGBB pixels, row by row from the top, as a PNG.
bool SaveArgbAsPng(std::vector<uint32_t> pixels, int32_t width, int32_t height,
                   const std::wstring& path);

// Writes the top-left width x height pixels of a 32-bit canvas as a PNG with alpha
// (premultiplied pixels are turned back into straight alpha). False when it cannot.
bool SaveCanvasAsPng(HDC canvas, int32_t width, int32_t height, const std::wstring& path);

} // namespace glaze
