#pragma once
// Portable: scaling an image with a good filter, piece by piece, the same on every system.

#include "platform/PixelRect.h"

#include <cstdint>
#include <span>
#include <vector>

namespace glaze {

// One piece of an image drawn scaled: its rectangle in the image onto a rectangle of the
// scaled image.
struct ResamplePiece {
    PixelRect From;
    PixelRect To;
    friend bool operator==(const ResamplePiece&, const ResamplePiece&) = default;
};

// The image (width x height premultiplied 0xAARRGGBB pixels, row by row from the top) scaled
// into a new outWidth x outHeight image. Each piece's From is drawn over its To with a
// Catmull-Rom cubic, widened when it shrinks so that every source pixel counts, and reads
// nothing outside From: pieces cut along the lines an image has (borders, button cells) keep
// those lines sharp, and an image drawn at its own size comes out unchanged. Pixels that no
// piece covers are transparent; a piece that does not lie within both images draws nothing.
std::vector<uint32_t> ResampleImage(std::span<const uint32_t> pixels, int32_t width, int32_t height,
                                    std::span<const ResamplePiece> pieces, int32_t outWidth,
                                    int32_t outHeight);

} // namespace glaze
