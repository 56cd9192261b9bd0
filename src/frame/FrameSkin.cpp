#include "frame/FrameSkin.h"

#include "platform/Canvas.h"

namespace glaze {

bool FrameSkin::Load(const std::wstring& dir, HDC compatible, int32_t dpi,
                     const PrepareHitArea& prepareHitArea) {
    if (!LoadSkinItems(dir, compatible, MakeScreenBitmapInfo(), model_, images_, dpi,
                       prepareHitArea)) {
        return false;
    }
    dpi_ = dpi;
    return true;
}

void FrameSkin::Drop() {
    DropImages();
    model_.ItemAction.clear();
}

} // namespace glaze
