#pragma once
// Portable: a loaded skin as the composition and the mouse handling see it. Item 0 is the
// frame image (its x, y, width and height are the left, top, right and bottom borders);
// items 1 and up are decorations and caption buttons. All arrays are indexed by item number.

#include "platform/PixelRect.h"
#include "platform/Rounding.h"

#include <cstdint>
#include <vector>

namespace glaze {

// What pressing an item does; any other action code does nothing.
enum ItemActionCode : int32_t { Minimise = 1, MaximiseOrRestore = 2, Close = 3, NextSkin = 5 };

struct SkinModel {
    int32_t ItemCount = 0;
    std::vector<int32_t> ItemAction;
    std::vector<int32_t> ItemX;
    std::vector<int32_t> ItemY;
    std::vector<int32_t> ItemWidth; // width of one state cell
    std::vector<int32_t> ItemHeight;
    std::vector<bool> ItemStretch;       // grows with the frame (item 0: the centre is filled)
    std::vector<bool> ItemSingleCell;    // the image is exactly one cell wide
    std::vector<bool> ItemDisabled;      // shown in its disabled cell, ignores the mouse
    std::vector<int32_t> ItemImageWidth; // 0 x 0 when the image could not be decoded
    std::vector<int32_t> ItemImageHeight;

    // The transparent margin of the frame image outside the edges the user sees (a shadow),
    // on each side; the composition draws it as thick as it is in the image.
    PixelInsets ShadowMargin;

    // Interior size at the end of the last load; stretched items grow by the change since.
    int32_t InteriorWidth = 0;
    int32_t InteriorHeight = 0;

    int32_t MarginLeft() const { return ItemCount > 0 ? ItemX[0] : 0; }
    int32_t MarginTop() const { return ItemCount > 0 ? ItemY[0] : 0; }
    int32_t MarginH() const {
        return ItemCount > 0 ? Saturate(int64_t{ItemX[0]} + ItemWidth[0]) : 0;
    }
    int32_t MarginV() const {
        return ItemCount > 0 ? Saturate(int64_t{ItemY[0]} + ItemHeight[0]) : 0;
    }

    // Whether the item's image is a strip of button cells (normal, hover, pressed, disabled)
    // rather than a picture shown whole.
    bool HasButtonCells(int32_t item) const {
        const auto i = static_cast<size_t>(item);
        return !ItemStretch[i] && !ItemSingleCell[i];
    }

    // The interior a frame of width x height leaves inside the borders.
    void FitFrame(int32_t frameWidth, int32_t frameHeight) {
        InteriorWidth = Saturate(int64_t{frameWidth} - MarginH());
        InteriorHeight = Saturate(int64_t{frameHeight} - MarginV());
    }

    // Makes room for items 0..item, keeping the entries below and dropping any beyond.
    void Resize(int32_t itemCount);
};

} // namespace glaze
