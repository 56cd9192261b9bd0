#pragma once
// Portable: where every piece of a frame goes for a frame of a given outer size. The window
// side executes these plans with BitBlt and StretchBlt; nothing here draws. The plans are
// worked out in 64 bits and saturate, so any numbers give defined rectangles.

#include "frame/SkinModel.h"
#include "platform/PixelRect.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace glaze {

// One copy from an item's canvas into the frame canvas. A plain copy when the sizes match and
// Stretch is false, otherwise a stretch.
struct Blit {
    bool Stretch = false;
    PixelRect Dest;
    PixelRect Source;
    friend bool operator==(const Blit&, const Blit&) = default;
};

// The frame image as a nine-slice, in drawing order: left, top, right and bottom edges
// (stretched along their length), the four corners (1:1), then the centre when item 0 asks
// for it. A fixed array: the composition runs on every resize step and allocates nothing.
struct NineSlice {
    std::array<Blit, 9> Pieces;
    size_t Count = 0; // 8, or 9 with the centre
};
NineSlice NineSlicePlan(const SkinModel& skin, int32_t frameWidth, int32_t frameHeight);

// Item i (1 and up) in a frame of the given size: its rectangle in frame pixels (negative x or y
// count from the right or bottom edge; stretched items grow with the interior) and what is
// copied there (cell 0, or cell 3 when the item is disabled; the whole image for a
// stretched item). Whether the item is enabled is the caller's: its hit area may say otherwise
// than the skin.
struct ItemPlacement {
    PixelRect Rect;
    Blit Draw;
};
ItemPlacement PlaceItem(const SkinModel& skin, int32_t item, int32_t frameWidth,
                        int32_t frameHeight, bool enabled);

// Where the enabled items that act when clicked (minimise, maximise, close, next skin) lie
// together in a frame of the given size, in frame pixels: the smallest rectangle holding them
// all. Empty when there are none.
PixelRect ButtonArea(const SkinModel& skin, int32_t frameWidth, int32_t frameHeight);

// The state cells of a button item's image, side by side from the left.
enum Cell : int32_t { NormalCell = 0, HoverCell = 1, PressedCell = 2, DisabledCell = 3 };

// The copy of one state cell of a button item into the given rectangle.
Blit CellBlit(const PixelRect& rect, int32_t cell);

// How large item i's canvas must be so that every blit the frame ever takes from it reads
// exactly what it would read from a screen-sized canvas holding the image at (0, 0): the image
// itself, and wherever a cell or a nine-slice source reaches beyond it (cells wider than the
// image, an image of 0 x 0, an image smaller than its borders), the transparent pixels up to
// there. Never larger than the screen, where a screen-sized canvas stopped too; at least 1 x 1.
struct CanvasExtent {
    int32_t Width = 0;
    int32_t Height = 0;
    friend bool operator==(const CanvasExtent&, const CanvasExtent&) = default;
};
CanvasExtent ItemCanvasExtent(const SkinModel& skin, int32_t item, int32_t screenWidth,
                              int32_t screenHeight);

} // namespace glaze
