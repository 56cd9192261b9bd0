#include "frame/ComposePlan.h"

namespace glaze {
namespace {

constexpr int32_t NormalCell = 0;
constexpr int32_t DisabledCell = 3;

Blit Stretched(PixelRect dest, PixelRect source) {
    return {true, dest, source};
}

// A corner keeps its pixels: the source is as large as the destination.
Blit Copied(PixelRect dest, int32_t sourceX, int32_t sourceY) {
    return {false, dest, {sourceX, sourceY, dest.Width, dest.Height}};
}

} // namespace

NineSlice NineSlicePlan(const SkinModel& skin, int32_t frameWidth, int32_t frameHeight) {
    NineSlice plan;
    if (skin.ItemCount < 1) {
        return plan;
    }
    const int32_t left = skin.ItemX[0];
    const int32_t top = skin.ItemY[0];
    const int32_t right = skin.ItemWidth[0];
    const int32_t bottom = skin.ItemHeight[0];
    const int32_t marginH = left + right;
    const int32_t marginV = top + bottom;
    // Short names keep the table below readable: frame and image sizes.
    const int32_t W = frameWidth;
    const int32_t H = frameHeight;
    const int32_t IW = skin.ItemImageWidth[0];
    const int32_t IH = skin.ItemImageHeight[0];

    plan.Pieces = {
        Stretched({0, top, left, H - marginV}, {0, top, left, IH - marginV}),
        Stretched({left, 0, W - marginH, top}, {left, 0, IW - marginH, top}),
        Stretched({W - right, top, right, H - marginV}, {IW - right, top, right, IH - marginV}),
        Stretched({left, H - bottom, W - marginH, bottom},
                  {left, IH - bottom, IW - marginH, bottom}),
        Copied({0, 0, left, top}, 0, 0),
        Copied({W - right, 0, right, top}, IW - right, 0),
        Copied({0, H - bottom, left, bottom}, 0, IH - bottom),
        Copied({W - right, H - bottom, right, bottom}, IW - right, IH - bottom),
        Stretched({left, top, W - marginH, H - marginV}, {left, top, IW - marginH, IH - marginV}),
    };
    plan.Count = skin.ItemStretch[0] ? 9 : 8;
    return plan;
}

ItemPlacement PlaceItem(const SkinModel& skin, int32_t item, int32_t frameWidth,
                        int32_t frameHeight, bool enabled) {
    const auto i = static_cast<size_t>(item);
    const int32_t x = skin.ItemX[i] < 0 ? frameWidth + skin.ItemX[i] : skin.ItemX[i];
    const int32_t y = skin.ItemY[i] < 0 ? frameHeight + skin.ItemY[i] : skin.ItemY[i];
    if (skin.ItemStretch[i]) {
        // A stretched item grows and shrinks with the interior since the skin was loaded.
        const int32_t width = frameWidth - skin.MarginH() - skin.InteriorWidth + skin.ItemWidth[i];
        const int32_t height =
            frameHeight - skin.MarginV() - skin.InteriorHeight + skin.ItemHeight[i];
        const PixelRect rect{x, y, width < 0 ? 0 : width, height < 0 ? 0 : height};
        return {rect, Stretched(rect, {0, 0, skin.ItemImageWidth[i], skin.ItemImageHeight[i]})};
    }
    const PixelRect rect{x, y, skin.ItemWidth[i], skin.ItemHeight[i]};
    return {rect, CellBlit(rect, enabled ? NormalCell : DisabledCell)};
}

Blit CellBlit(const PixelRect& rect, int32_t cell) {
    return Copied(rect, cell * rect.Width, 0);
}

} // namespace glaze
