#pragma once
// Portable: the pixel size an image file declares in its header, read before anything is
// decoded, so that a file claiming a gigantic picture is refused before it costs memory.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace glaze {

struct DeclaredSize {
    int64_t Width = 0;
    int64_t Height = 0;
};

// The size declared by a PNG, JPEG, GIF, BMP, TIFF or icon/cursor file (for an icon, its largest
// entry; for a GIF, its largest frame). Nothing for any other or a truncated header.
std::optional<DeclaredSize> DeclaredImageSize(std::span<const uint8_t> bytes);

// No side beyond this is decoded.
constexpr int64_t MaxImageSide = 16384;

// Whether an image of the declared size may be decoded on a screen of the given pixel count:
// both sides between 1 and MaxImageSide, and no more pixels than four screens.
bool IsDecodableSize(const DeclaredSize& size, int64_t screenPixels);

} // namespace glaze
