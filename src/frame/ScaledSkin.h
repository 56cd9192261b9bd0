#pragma once
// Portable: a skin at another DPI. Skins are made for 96 DPI. At another DPI every number of an
// item is scaled, and its image is scaled along the lines the item cuts it at (the frame image's
// borders, a button strip's cells), so that borders and cells land exactly where the scaled
// numbers put them. Or the skin brings an image made for that scale ("frame@1.5x.png" beside
// "frame.png"), which is used as it is when it has exactly the size the scaling would give.

#include "platform/Resample.h"
#include "settings/SkinItemLine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glaze {

// The item's x, y, width and height at dpi, held within +-SkinCoordinateLimit as at 96 DPI.
// Item 0's numbers are its four borders, each scaled alone; any other item's are a rectangle,
// scaled by its edges, so that items that meet at 96 DPI still meet.
SkinItemFields ScaleItemFields(int32_t item, SkinItemFields fields, int32_t dpi);

// How an item's image becomes its image at a DPI: the scaled size and the pieces it is cut
// into. No pieces at the design DPI: the image is used as it is. A side of an item's image as
// long as the item's side (a cell's width, a button's height) becomes the item's scaled side.
struct ImageScalePlan {
    std::vector<ResamplePiece> Pieces;
    int32_t Width = 0;
    int32_t Height = 0;
};
ImageScalePlan PlanImageScale(int32_t item, const SkinItemFields& fields, int32_t imageWidth,
                              int32_t imageHeight, int32_t dpi);

// The file a skin may hold for dpi in place of imageFile: "frame@1.5x.png" for "frame.png" at
// 144 DPI. Nothing at the design DPI, and at scales that are not quarter steps (a DPI that is
// not a multiple of 24), which have no short name.
std::optional<std::wstring> ScaledImageName(std::wstring_view imageFile, int32_t dpi);

// The DPI that a file named like imageFile with a scale in its name is made for ("frame@2x.png"
// gives 192), or nothing when the name is no such variant of imageFile.
std::optional<int32_t> ScaledImageDpi(std::wstring_view candidate, std::wstring_view imageFile);

} // namespace glaze
