#pragma once
// Reading a skin directory into the skin model and one canvas per item image.

#include "frame/SkinModel.h"
#include "platform/Canvas.h"
#include "platform/DpiScale.h"
#include "platform/Scoped.h"
#include "settings/SkinItemLine.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace glaze {

struct SkinImages {
    // Item i's image at (0, 0), natural size, premultiplied, on a canvas no larger than the
    // image and the transparent margin the frame reads beyond it (ItemCanvasExtent).
    std::vector<Canvas> ItemDC;
};

// Called for every item i >= 1 once its fields are read; false fails the load. Loads without
// windows have no hit areas to prepare and pass none.
using PrepareHitArea = std::function<bool(int32_t item, const SkinItemFields& fields)>;

// Loads skin.ini of skinDir item by item, at dpi: each image is
// read from disk and decoded exactly once into a new canvas of its own. An image that is
// missing, cannot be decoded or declares more pixels than the screen of screenInfo bears
// (IsDecodableSize) leaves its item in the skin, fully transparent, 0 x 0.
// At another DPI than 96 the model holds the scaled numbers (ScaledSkin.h), and each image
// is the one the skin holds for that scale when it has exactly the scaled size, otherwise its
// own image scaled; one whose scaled size goes beyond the bound is transparent, as a larger
// image is at 96 DPI.
// Returns false when no item could be loaded or an item line is faulty; model.ItemCount then
// holds the number of complete items, which is the number of the failing one.
bool LoadSkinItems(const std::wstring& skinDir, HDC compatible, const BITMAPINFO& screenInfo,
                   SkinModel& model, SkinImages& images, int32_t dpi = DesignDpi,
                   const PrepareHitArea& prepareHitArea = {});

} // namespace glaze
