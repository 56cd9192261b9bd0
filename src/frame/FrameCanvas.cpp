#include "frame/FrameCanvas.h"

namespace glaze {

std::optional<PixelRect> DrawFrame(HDC canvas, const SkinModel& skin, const SkinImages& images,
                                   int32_t frameWidth, int32_t frameHeight,
                                   const HitAreaCallbacks& hitAreas) {
    const NineSlice frame = NineSlicePlan(skin, frameWidth, frameHeight);
    for (size_t piece = 0; piece < frame.Count; ++piece) {
        ExecuteBlit(canvas, images.ItemDC[0], frame.Pieces[piece]);
    }
    std::optional<PixelRect> last;
    for (int32_t item = 1; item < skin.ItemCount; ++item) {
        const auto i = static_cast<size_t>(item);
        const bool enabled = hitAreas.IsEnabled ? hitAreas.IsEnabled(item) : !skin.ItemDisabled[i];
        const ItemPlacement placement = PlaceItem(skin, item, frameWidth, frameHeight, enabled);
        if (hitAreas.Place) {
            hitAreas.Place(item, placement.Rect);
        }
        ExecuteBlit(canvas, images.ItemDC[i], placement.Draw);
        last = placement.Rect;
    }
    return last;
}

void ExecuteBlit(HDC canvas, HDC source, const Blit& blit) {
    const PixelRect& to = blit.Dest;
    const PixelRect& from = blit.Source;
    if (blit.Stretch) {
        StretchBlt(canvas, to.X, to.Y, to.Width, to.Height, source, from.X, from.Y, from.Width,
                   from.Height, SRCCOPY);
    } else {
        BitBlt(canvas, to.X, to.Y, to.Width, to.Height, source, from.X, from.Y, SRCCOPY);
    }
}

} // namespace glaze
