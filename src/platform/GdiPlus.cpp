#include "platform/GdiPlus.h"

#include "platform/ImageHeader.h"
#include "platform/Canvas.h"
#include "platform/Scoped.h"

#include <windows.h>

#include <objbase.h>

#include <algorithm>
// The Windows SDK's GDI+ headers call min and max, which NOMINMAX keeps out of <windows.h>.
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

namespace glaze {
namespace {

namespace Flat = Gdiplus::DllExports;

struct ImageTraits {
    static Gdiplus::GpImage* Empty() { return nullptr; }
    static void Close(Gdiplus::GpImage* image) { Flat::GdipDisposeImage(image); }
};
struct GraphicsTraits {
    static Gdiplus::GpGraphics* Empty() { return nullptr; }
    static void Close(Gdiplus::GpGraphics* graphics) { Flat::GdipDeleteGraphics(graphics); }
};
struct StreamTraits {
    static IStream* Empty() { return nullptr; }
    static void Close(IStream* stream) { stream->Release(); }
};
using ScopedImage = Scoped<Gdiplus::GpImage*, ImageTraits>;
using ScopedGraphics = Scoped<Gdiplus::GpGraphics*, GraphicsTraits>;
using ScopedStream = Scoped<IStream*, StreamTraits>;

constexpr CLSID PngEncoder{
    0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

uint32_t Unpremultiply(uint32_t pixel) {
    const uint32_t alpha = pixel >> 24;
    if (alpha == 0) {
        return 0;
    }
    uint32_t straight = alpha << 24;
    for (uint32_t shift = 0; shift < 24; shift += 8) {
        const uint32_t channel = (((pixel >> shift) & 0xFF) * 255 + alpha / 2) / alpha;
        straight |= (channel > 255 ? 255 : channel) << shift;
    }
    return straight;
}

} // namespace

GdiPlusSession::GdiPlusSession() {
    const Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) {
        token_ = 0;
    }
}

GdiPlusSession::~GdiPlusSession() {
    if (token_ != 0) {
        Gdiplus::GdiplusShutdown(token_);
    }
}

std::optional<DecodedSize> DrawImageBytes(const ImageBytes& bytes, int64_t screenPixels,
                                          const CanvasForImage& canvasFor) {
    const std::optional<DeclaredSize> declared =
        bytes.WithBytes([](std::span<const uint8_t> all) { return DeclaredImageSize(all); });
    if (!declared || !IsDecodableSize(*declared, screenPixels)) {
        return std::nullopt;
    }
    // The image reads from the stream, the stream from the bytes' block, which outlives both.
    IStream* rawStream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(bytes.Memory(), FALSE, &rawStream))) {
        return std::nullopt;
    }
    const ScopedStream stream(rawStream);
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (Flat::GdipCreateBitmapFromStream(stream, &bitmap) != Gdiplus::Ok) {
        return std::nullopt;
    }
    const ScopedImage image(bitmap);
    UINT width = 0;
    UINT height = 0;
    Flat::GdipGetImageWidth(image, &width);
    Flat::GdipGetImageHeight(image, &height);

    // The decoder may read the size differently from the header; the bound holds for both.
    if (!IsDecodableSize({width, height}, screenPixels)) {
        return std::nullopt;
    }
    const DecodedSize size{static_cast<int32_t>(width), static_cast<int32_t>(height)};
    const HDC canvas = canvasFor(size);
    Gdiplus::GpGraphics* rawGraphics = nullptr;
    if (canvas == nullptr || Flat::GdipCreateFromHDC(canvas, &rawGraphics) != Gdiplus::Ok) {
        return std::nullopt;
    }
    const ScopedGraphics graphics(rawGraphics);
    // An explicit pixel rectangle: the resolution recorded in the file must not scale it.
    if (Flat::GdipDrawImageRectI(graphics, image, 0, 0, size.Width, size.Height) != Gdiplus::Ok) {
        return std::nullopt;
    }
    return size;
}

bool SaveArgbAsPng(std::vector<uint32_t> pixels, int32_t width, int32_t height,
                   const std::wstring& path) {
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return false;
    }
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (Flat::GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                        reinterpret_cast<BYTE*>(pixels.data()),
                                        &bitmap) != Gdiplus::Ok) {
        return false;
    }
    const ScopedImage image(bitmap);
    return Flat::GdipSaveImageToFile(image, path.c_str(), &PngEncoder, nullptr) == Gdiplus::Ok;
}

bool SaveCanvasAsPng(HDC canvas, int32_t width, int32_t height, const std::wstring& path) {
    std::vector<uint32_t> pixels = ReadCanvasPixels(canvas, width, height);
    for (uint32_t& pixel : pixels) {
        pixel = Unpremultiply(pixel);
    }
    return SaveArgbAsPng(std::move(pixels), width, height, path);
}

} // namespace glaze
