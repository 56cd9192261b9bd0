#include "frame/SkinLoader.h"

#include "frame/ComposePlan.h"
#include "frame/ScaledSkin.h"
#include "frame/Snapping.h"
#include "platform/AnsiText.h"
#include "platform/Canvas.h"
#include "platform/GdiPlus.h"
#include "platform/ImageHeader.h"
#include "settings/SkinIni.h"

#include <cstdlib>

namespace glaze {
namespace {

void SetItem(SkinModel& model, size_t i, const SkinItemFields& fields, DecodedSize image,
             bool singleCell) {
    model.ItemAction[i] = fields.Action;
    model.ItemX[i] = fields.X;
    model.ItemY[i] = fields.Y;
    model.ItemWidth[i] = fields.Width;
    model.ItemHeight[i] = fields.Height;
    model.ItemStretch[i] = fields.Stretch == 1;
    model.ItemDisabled[i] = fields.Disabled == 1;
    model.ItemImageWidth[i] = image.Width;
    model.ItemImageHeight[i] = image.Height;
    model.ItemSingleCell[i] = singleCell;
}

// The canvas an item's image is drawn into, made once the size it is shown at is known;
// singleCell: the item's own image is exactly one cell wide.
using ItemCanvas = std::function<HDC(DecodedSize shown, bool singleCell)>;

// The image the skin holds for this scale, taken only when it has exactly the size that
// scaling the item's own image would give: any other was not made for this scale.
bool DrawScaleVariant(const std::wstring& skinDir, int32_t item, const SkinItemFields& fields,
                      const ImageBytes& own, int32_t dpi, int64_t screenPixels,
                      const ItemCanvas& canvasFor) {
    const std::optional<std::wstring> name = ScaledImageName(fields.ImageFile, dpi);
    const std::optional<DeclaredSize> ownSize =
        own.WithBytes([](std::span<const uint8_t> bytes) { return DeclaredImageSize(bytes); });
    if (!name || !ownSize || !IsDecodableSize(*ownSize, screenPixels)) {
        return false;
    }
    const auto ownWidth = static_cast<int32_t>(ownSize->Width);
    const ImageScalePlan plan =
        PlanImageScale(item, fields, ownWidth, static_cast<int32_t>(ownSize->Height), dpi);
    return DrawImageBytes(ReadImageFile(skinDir + L"\\" + *name, screenPixels), screenPixels,
                          [&](DecodedSize size) -> HDC {
                              return size.Width == plan.Width && size.Height == plan.Height
                                         ? canvasFor(size, fields.Width == ownWidth)
                                         : nullptr;
                          })
        .has_value();
}

// The item's own image scaled along the lines the item cuts it at.
bool DrawScaledImage(HDC compatible, int32_t item, const SkinItemFields& fields,
                     const ImageBytes& own, int32_t dpi, int64_t screenPixels,
                     const ItemCanvas& canvasFor) {
    Canvas decoded;
    const std::optional<DecodedSize> size =
        DrawImageBytes(own, screenPixels, [&](DecodedSize image) -> HDC {
            decoded = CreateCanvas(compatible, MakeBitmapInfo(image.Width, image.Height));
            return decoded;
        });
    if (!size) {
        return false;
    }
    const ImageScalePlan plan = PlanImageScale(item, fields, size->Width, size->Height, dpi);
    if (!IsDecodableSize({plan.Width, plan.Height}, screenPixels)) {
        return false;
    }
    const std::vector<uint32_t> scaled =
        ResampleImage(ReadCanvasPixels(decoded, size->Width, size->Height), size->Width,
                      size->Height, plan.Pieces, plan.Width, plan.Height);
    return WriteCanvasPixels(canvasFor({plan.Width, plan.Height}, fields.Width == size->Width),
                             scaled, plan.Width, plan.Height);
}

} // namespace

bool LoadSkinItems(const std::wstring& skinDir, HDC compatible, const BITMAPINFO& screenInfo,
                   SkinModel& model, SkinImages& images, int32_t dpi,
                   const PrepareHitArea& prepareHitArea) {
    model.ItemCount = 0;
    model.ShadowMargin = {};
    const int32_t screenWidth = screenInfo.bmiHeader.biWidth;
    const int32_t screenHeight = std::abs(screenInfo.bmiHeader.biHeight);
    const int64_t screenPixels = int64_t{screenWidth} * screenHeight;
    const std::vector<std::wstring> lines = ReadSkinItemLines(SkinIniOf(skinDir));
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto item = static_cast<int32_t>(i);
        const std::optional<SkinItemFields> fields = ParseSkinItemLine(lines[i]);
        if (!fields) {
            return false;
        }
        const ImageBytes bytes = ReadImageFile(skinDir + L"\\" + fields->ImageFile, screenPixels);
        model.Resize(item + 1);
        images.ItemDC.resize(i + 1);
        const SkinItemFields scaled = ScaleItemFields(item, *fields, dpi);
        // The canvas holds the image and whatever transparent margin the frame reads beyond
        // it, so its size is known only once the image's size is.
        const ItemCanvas newCanvas = [&](DecodedSize image, bool singleCell) -> HDC {
            SetItem(model, i, scaled, image, singleCell);
            const CanvasExtent extent = ItemCanvasExtent(model, item, screenWidth, screenHeight);
            images.ItemDC[i] =
                CreateCanvas(compatible, MakeBitmapInfo(extent.Width, extent.Height));
            return images.ItemDC[i];
        };
        const bool drawn =
            UsableDpi(dpi) == DesignDpi
                ? DrawImageBytes(bytes, screenPixels,
                                 [&](DecodedSize image) {
                                     return newCanvas(image, fields->Width == image.Width);
                                 })
                      .has_value()
                : DrawScaleVariant(skinDir, item, *fields, bytes, dpi, screenPixels, newCanvas) ||
                      DrawScaledImage(compatible, item, *fields, bytes, dpi, screenPixels,
                                      newCanvas);
        // A missing, unreadable or oversized image leaves a transparent item of no size.
        if (!drawn) {
            newCanvas(DecodedSize{}, fields->Width == 0);
        }
        if (i == 0) {
            const int32_t width = model.ItemImageWidth[0];
            const int32_t height = model.ItemImageHeight[0];
            model.ShadowMargin = TransparentMargin(
                ReadCanvasPixels(images.ItemDC[0], width, height), width, height,
                {model.ItemX[0], model.ItemY[0], model.ItemWidth[0], model.ItemHeight[0]});
        }
        if (i > 0 && prepareHitArea && !prepareHitArea(item, *fields)) {
            return false;
        }
        model.ItemCount = item + 1;
    }
    return model.ItemCount >= 1;
}

} // namespace glaze
