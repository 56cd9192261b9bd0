// glaze-skin-preview SKINDIR WIDTH HEIGHT OUT.png
// Composes a skin's frame at the given outer size, with no window, and writes it as a PNG.
// The skin's stretched items take their natural size at that frame size.

#include "frame/FrameCanvas.h"
#include "frame/SkinLoader.h"
#include "platform/AnsiText.h"
#include "platform/Canvas.h"
#include "platform/GdiPlus.h"
#include "settings/ProfileNumber.h"

#include <windows.h>

#include <cstdio>

using namespace glaze;

namespace {

int Preview(const std::wstring& skinDir, int32_t width, int32_t height, const std::wstring& out) {
    const WindowDc screen(nullptr);
    SkinModel skin;
    SkinImages images;
    if (!LoadSkinItems(skinDir, screen, MakeScreenBitmapInfo(), skin, images,
                       [](int32_t, const SkinItemFields&) { return true; })) {
        std::fprintf(stderr, "cannot load the skin (item %d is faulty or missing)\n",
                     static_cast<int>(skin.ItemCount));
        return 1;
    }
    skin.InteriorWidth = width - skin.MarginH();
    skin.InteriorHeight = height - skin.MarginV();
    const Canvas canvas = CreateCanvas(screen, MakeBitmapInfo(width, height));
    if (!canvas) {
        std::fprintf(stderr, "cannot make a %d x %d canvas\n", static_cast<int>(width),
                     static_cast<int>(height));
        return 1;
    }
    DrawFrame(canvas, skin, images, width, height, {});
    if (!SaveCanvasAsPng(canvas, width, height, out)) {
        std::fprintf(stderr, "cannot write %s\n", ToAnsi(out).c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: glaze-skin-preview SKINDIR WIDTH HEIGHT OUT.png\n");
        return 2;
    }
    const int32_t width = ProfileNumber(FromAnsi(argv[2]));
    const int32_t height = ProfileNumber(FromAnsi(argv[3]));
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "WIDTH and HEIGHT must be positive\n");
        return 2;
    }
    const GdiPlusSession gdiPlus;
    if (!gdiPlus.Started()) {
        std::fprintf(stderr, "GDI+ does not start\n");
        return 1;
    }
    return Preview(FromAnsi(argv[1]), width, height, FromAnsi(argv[4]));
}
