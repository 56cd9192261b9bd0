#include "SkinPictures.h"

#include "frame/FrameCanvas.h"
#include "platform/Canvas.h"
#include "platform/GdiPlus.h"

#include <algorithm>

namespace glaze::tools {
namespace {

constexpr int32_t SheetMargin = 6; // frame pixels shown around the buttons
constexpr int32_t StateCount = 4;  // normal, hover, pressed, disabled

// Buttons: items with an action and a strip of cells (they neither stretch nor show their
// whole image).
bool IsButton(const SkinModel& model, size_t i) {
    const int32_t action = model.ItemAction[i];
    const bool acts =
        action == Minimise || action == MaximiseOrRestore || action == Close || action == NextSkin;
    return acts && model.HasButtonCells(static_cast<int32_t>(i)) && model.ItemImageWidth[i] > 0;
}

} // namespace

PreviewSkin LoadSkin(const std::wstring& skinDir, int32_t dpi) {
    PreviewSkin skin;
    skin.Dpi = dpi;
    const WindowDc screen(nullptr);
    skin.Loaded =
        LoadSkinItems(skinDir, screen, MakeScreenBitmapInfo(), skin.Model, skin.Images, dpi);
    return skin;
}

bool SaveFramePicture(const PreviewSkin& skin, int32_t width, int32_t height,
                      const std::wstring& out) {
    SkinModel model = skin.Model;
    model.FitFrame(width, height);
    const Canvas canvas = CreateCanvas(WindowDc(nullptr), MakeBitmapInfo(width, height));
    if (!canvas) {
        return false;
    }
    DrawFrame(canvas, model, skin.Images, width, height, {});
    return SaveCanvasAsPng(canvas, width, height, out);
}

bool SaveButtonStatesPicture(const PreviewSkin& skin, const std::wstring& out) {
    const int32_t frameWidth = skin.FrameWidth();
    const int32_t frameHeight = skin.FrameHeight();
    SkinModel model = skin.Model;
    model.FitFrame(frameWidth, frameHeight);
    const WindowDc screen(nullptr);
    const Canvas frame = CreateCanvas(screen, MakeBitmapInfo(frameWidth, frameHeight));
    if (!frame) {
        return false;
    }
    std::vector<PixelRect> buttons(static_cast<size_t>(model.ItemCount));
    const HitAreaCallbacks record{
        [&](int32_t item, const PixelRect& rect) { buttons[static_cast<size_t>(item)] = rect; },
        {}};
    DrawFrame(frame, model, skin.Images, frameWidth, frameHeight, record);

    int32_t left = frameWidth, top = frameHeight, right = 0, bottom = 0;
    for (size_t i = 1; i < buttons.size(); ++i) {
        if (IsButton(model, i)) {
            left = std::min(left, buttons[i].X);
            top = std::min(top, buttons[i].Y);
            right = std::max(right, buttons[i].X + buttons[i].Width);
            bottom = std::max(bottom, buttons[i].Y + buttons[i].Height);
        }
    }
    if (right <= left) {
        return false; // no buttons
    }
    const int32_t margin = ScaleForDpi(SheetMargin, skin.Dpi);
    left = std::max(0, left - margin);
    top = std::max(0, top - margin);
    const int32_t width = std::min(frameWidth, right + margin) - left;
    const int32_t height = std::min(frameHeight, bottom + margin) - top;

    const Canvas sheet = CreateCanvas(screen, MakeBitmapInfo(width, height * StateCount));
    if (!sheet) {
        return false;
    }
    for (int32_t state = 0; state < StateCount; ++state) {
        // Each state as the frame shows it when the mouse lights, presses or disables a button.
        for (size_t i = 1; i < buttons.size(); ++i) {
            if (IsButton(model, i)) {
                ExecuteBlit(frame, skin.Images.ItemDC[i], CellBlit(buttons[i], state));
            }
        }
        BitBlt(sheet, 0, state * height, width, height, frame, left, top, SRCCOPY);
    }
    return SaveCanvasAsPng(sheet, width, height * StateCount, out);
}

} // namespace glaze::tools
