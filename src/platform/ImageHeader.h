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

// The bytes at the start of an image file that are read before the rest. The header of every
// format lies in them, but for a JPEG with much metadata before its frame or a GIF of many
// frames: those are read whole, no larger than MaxImageFileBytes, and checked then.
constexpr size_t ImageHeadBytes = 64 * 1024;

// The largest image file read at all on a screen of the given pixel count: an uncompressed
// 32-bit picture of the largest size that may be decoded there, and a megabyte for headers and
// metadata. The formats that compress take less.
int64_t MaxImageFileBytes(int64_t screenPixels);

// Whether an image file of `fileSize` bytes that starts with `head` may be read whole for
// decoding: not when it is larger than MaxImageFileBytes, nor when its header, found in the
// head, declares a size that may not be decoded.
bool MayReadImageFile(std::span<const uint8_t> head, int64_t fileSize, int64_t screenPixels);

} // namespace glaze
