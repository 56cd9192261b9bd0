#include "frame/ComposePlan.h"

#include "platform/Rounding.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace glaze {
namespace {

// A rectangle from 64-bit arithmetic: every number a skin or a window can give stays defined.
PixelRect Rect(int64_t x, int64_t y, int64_t width, int64_t height) {
    return {Saturate(x), Saturate(y), Saturate(width), Saturate(height)};
}

Blit Stretched(PixelRect dest, PixelRect source) {
    return {true, dest, source};
}

// A corner keeps its pixels: the source is as large as the destination.
Blit Copied(PixelRect dest, int64_t sourceX, int64_t sourceY) {
    return {false, dest, Rect(sourceX, sourceY, dest.Width, dest.Height)};
}

// The far edge of the pixels a blit reads along one axis, as the platform bounds it: a
// negative extent reads back from its start, the start pixel included.
int64_t ReadEnd(int32_t start, int32_t extent) {
    return extent >= 0 ? int64_t{start} + extent : int64_t{start} + 1;
}

// The nine pieces of item 0, which must exist.
NineSlice FramePieces(const SkinModel& skin, int32_t frameWidth, int32_t frameHeight) {
    NineSlice plan;
    const int64_t left = skin.ItemX[0];
    const int64_t top = skin.ItemY[0];
    const int64_t right = skin.ItemWidth[0];
    const int64_t bottom = skin.ItemHeight[0];
    const int64_t marginH = left + right;
    const int64_t marginV = top + bottom;
    // Short names keep the table below readable: frame and image sizes.
    const int64_t W = frameWidth;
    const int64_t H = frameHeight;
    const int64_t IW = skin.ItemImageWidth[0];
    const int64_t IH = skin.ItemImageHeight[0];

    plan.Pieces = {
        Stretched(Rect(0, top, left, H - marginV), Rect(0, top, left, IH - marginV)),
        Stretched(Rect(left, 0, W - marginH, top), Rect(left, 0, IW - marginH, top)),
        Stretched(Rect(W - right, top, right, H - marginV),
                  Rect(IW - right, top, right, IH - marginV)),
        Stretched(Rect(left, H - bottom, W - marginH, bottom),
                  Rect(left, IH - bottom, IW - marginH, bottom)),
        Copied(Rect(0, 0, left, top), 0, 0),
        Copied(Rect(W - right, 0, right, top), IW - right, 0),
        Copied(Rect(0, H - bottom, left, bottom), 0, IH - bottom),
        Copied(Rect(W - right, H - bottom, right, bottom), IW - right, IH - bottom),
        Stretched(Rect(left, top, W - marginH, H - marginV),
                  Rect(left, top, IW - marginH, IH - marginV)),
    };
    plan.Count = skin.ItemStretch[0] ? 9 : 8;
    return plan;
}

} // namespace

NineSlice NineSlicePlan(const SkinModel& skin, int32_t frameWidth, int32_t frameHeight) {
    return skin.ItemCount < 1 ? NineSlice{} : FramePieces(skin, frameWidth, frameHeight);
}

ItemPlacement PlaceItem(const SkinModel& skin, int32_t item, int32_t frameWidth,
                        int32_t frameHeight, bool enabled) {
    const auto i = static_cast<size_t>(item);
    const int64_t x = skin.ItemX[i] < 0 ? int64_t{frameWidth} + skin.ItemX[i] : skin.ItemX[i];
    const int64_t y = skin.ItemY[i] < 0 ? int64_t{frameHeight} + skin.ItemY[i] : skin.ItemY[i];
    if (skin.ItemStretch[i]) {
        // A stretched item grows and shrinks with the interior since the skin was loaded.
        const int64_t width =
            int64_t{frameWidth} - skin.MarginH() - skin.InteriorWidth + skin.ItemWidth[i];
        const int64_t height =
            int64_t{frameHeight} - skin.MarginV() - skin.InteriorHeight + skin.ItemHeight[i];
        const PixelRect rect =
            Rect(x, y, std::max<int64_t>(width, 0), std::max<int64_t>(height, 0));
        return {rect, Stretched(rect, {0, 0, skin.ItemImageWidth[i], skin.ItemImageHeight[i]})};
    }
    const PixelRect rect = Rect(x, y, skin.ItemWidth[i], skin.ItemHeight[i]);
    return {rect, CellBlit(rect, enabled ? NormalCell : DisabledCell)};
}

PixelRect ButtonArea(const SkinModel& skin, int32_t frameWidth, int32_t frameHeight) {
    int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
    for (int32_t item = 1; item < skin.ItemCount; ++item) {
        const auto i = static_cast<size_t>(item);
        const int32_t action = skin.ItemAction[i];
        const bool acts = action == Minimise || action == MaximiseOrRestore || action == Close ||
                          action == NextSkin;
        if (!acts || skin.ItemDisabled[i]) {
            continue;
        }
        const PixelRect rect = PlaceItem(skin, item, frameWidth, frameHeight, true).Rect;
        left = std::min<int64_t>(left, rect.X);
        top = std::min<int64_t>(top, rect.Y);
        right = std::max(right, int64_t{rect.X} + rect.Width);
        bottom = std::max(bottom, int64_t{rect.Y} + rect.Height);
    }
    if (right <= left || bottom <= top) {
        return {};
    }
    return Rect(left, top, right - left, bottom - top);
}

Blit CellBlit(const PixelRect& rect, int32_t cell) {
    return Copied(rect, int64_t{cell} * rect.Width, 0);
}

CanvasExtent ItemCanvasExtent(const SkinModel& skin, int32_t item, int32_t screenWidth,
                              int32_t screenHeight) {
    const auto i = static_cast<size_t>(item);
    int64_t right = skin.ItemImageWidth[i];
    int64_t bottom = skin.ItemImageHeight[i];
    const auto reads = [&](const PixelRect& source) {
        right = std::max(right, ReadEnd(source.X, source.Width));
        bottom = std::max(bottom, ReadEnd(source.Y, source.Height));
    };
    if (item == 0) {
        // While the skin loads item 0 is not counted yet; the sources do not depend on the
        // frame's size.
        const NineSlice frame = FramePieces(skin, 0, 0);
        for (const Blit& piece : frame.Pieces) {
            reads(piece.Source);
        }
    } else if (!skin.ItemStretch[i]) { // a single cell still draws its normal and disabled cells
        // The cells the composition and the mouse draw: cell 0, the disabled cell of a
        // disabled item, hover and pressed where the image has more than one cell. The mouse
        // takes the cell size from the hit area, which has no negative size.
        const int32_t width = skin.ItemWidth[i];
        const int32_t height = skin.ItemHeight[i];
        for (const PixelRect cellSize :
             {PixelRect{0, 0, width, height},
              Rect(0, 0, std::abs(int64_t{width}), std::abs(int64_t{height}))}) {
            reads(CellBlit(cellSize, NormalCell).Source);
            if (skin.ItemDisabled[i]) {
                reads(CellBlit(cellSize, DisabledCell).Source);
            }
            if (!skin.ItemSingleCell[i]) {
                reads(CellBlit(cellSize, HoverCell).Source);
                reads(CellBlit(cellSize, PressedCell).Source);
            }
        }
    }
    return {Saturate(std::clamp<int64_t>(right, 1, std::max(screenWidth, 1))),
            Saturate(std::clamp<int64_t>(bottom, 1, std::max(screenHeight, 1)))};
}

} // namespace glaze
