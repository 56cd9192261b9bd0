#include "frame/SkinLoader.h"

#include "frame/ComposePlan.h"
#include "platform/AnsiText.h"
#include "platform/Canvas.h"
#include "platform/GdiPlus.h"
#include "settings/SkinIni.h"

#include <cstdlib>

namespace glaze {
namespace {

void SetItem(SkinModel& model, size_t i, const SkinItemFields& fields, DecodedSize image) {
    model.ItemAction[i] = fields.Action;
    model.ItemX[i] = fields.X;
    model.ItemY[i] = fields.Y;
    model.ItemWidth[i] = fields.Width;
    model.ItemHeight[i] = fields.Height;
    model.ItemStretch[i] = fields.Stretch == 1;
    model.ItemDisabled[i] = fields.Disabled == 1;
    model.ItemImageWidth[i] = image.Width;
    model.ItemImageHeight[i] = image.Height;
    model.ItemSingleCell[i] = fields.Width == image.Width;
}

} // namespace

bool LoadSkinItems(const std::wstring& skinDir, HDC compatible, const BITMAPINFO& screenInfo,
                   SkinModel& model, SkinImages& images, const PrepareHitArea& prepareHitArea) {
    model.ItemCount = 0;
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
        // The canvas holds the image and whatever transparent margin the frame reads beyond
        // it, so its size is known only once the image's size is.
        const auto newCanvas = [&](DecodedSize image) -> HDC {
            SetItem(model, i, *fields, image);
            const CanvasExtent extent = ItemCanvasExtent(model, item, screenWidth, screenHeight);
            images.ItemDC[i] =
                CreateCanvas(compatible, MakeBitmapInfo(extent.Width, extent.Height));
            return images.ItemDC[i];
        };
        // A missing, unreadable or oversized image leaves a transparent item of no size.
        if (!DrawImageBytes(bytes, screenPixels, newCanvas)) {
            newCanvas(DecodedSize{});
        }
        if (i > 0 && prepareHitArea && !prepareHitArea(item, *fields)) {
            return false;
        }
        model.ItemCount = item + 1;
    }
    return model.ItemCount >= 1;
}

std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
    const ScopedHandle file(CreateFileA(ToAnsi(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return {};
    }
    const DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE) {
        return {};
    }
    std::vector<uint8_t> bytes(size);
    DWORD read = 0;
    if (size > 0 && (!ReadFile(file, bytes.data(), size, &read, nullptr) || read != size)) {
        return {};
    }
    return bytes;
}

} // namespace glaze
