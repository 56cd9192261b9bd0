#include "platform/ImageHeader.h"

#include <algorithm>

namespace glaze {
namespace {

// Reads little- and big-endian numbers at an offset; out of range reads give nothing.
class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool Has(size_t offset, size_t length) const {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }
    std::optional<uint32_t> Number(size_t offset, size_t length, bool bigEndian) const {
        if (!Has(offset, length)) {
            return std::nullopt;
        }
        uint32_t value = 0;
        for (size_t i = 0; i < length; ++i) {
            const uint32_t byte = bytes_[offset + (bigEndian ? i : length - 1 - i)];
            value = (value << 8) | byte;
        }
        return value;
    }
    bool StartsWith(size_t offset, std::initializer_list<uint8_t> magic) const {
        return Has(offset, magic.size()) &&
               std::equal(magic.begin(), magic.end(),
                          bytes_.begin() + static_cast<ptrdiff_t>(offset));
    }
    std::span<const uint8_t> From(size_t offset, size_t length) const {
        return Has(offset, length) ? bytes_.subspan(offset, length) : std::span<const uint8_t>();
    }

private:
    std::span<const uint8_t> bytes_;
};

std::optional<DeclaredSize> Sized(std::optional<uint32_t> width, std::optional<uint32_t> height) {
    if (!width || !height) {
        return std::nullopt;
    }
    return DeclaredSize{*width, *height};
}

std::optional<DeclaredSize> PngSize(const Reader& r) {
    if (!r.StartsWith(12, {'I', 'H', 'D', 'R'})) {
        return std::nullopt;
    }
    return Sized(r.Number(16, 4, true), r.Number(20, 4, true));
}

// The first start-of-frame segment, found by walking the segments from the start.
std::optional<DeclaredSize> JpegSize(const Reader& r) {
    size_t at = 2;
    while (r.Has(at, 4)) {
        if (*r.Number(at, 1, true) != 0xFF) {
            return std::nullopt;
        }
        const uint32_t marker = *r.Number(at + 1, 1, true);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2; // markers without a length
            continue;
        }
        const uint32_t length = *r.Number(at + 2, 2, true);
        const bool startOfFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            return Sized(r.Number(at + 7, 2, true), r.Number(at + 5, 2, true));
        }
        if (length < 2) {
            return std::nullopt;
        }
        at += 2 + length;
    }
    return std::nullopt;
}

std::optional<DeclaredSize> BmpSize(const Reader& r) {
    const auto header = r.Number(14, 4, false);
    if (!header) {
        return std::nullopt;
    }
    if (*header == 12) { // the old core header: 16-bit sizes
        return Sized(r.Number(18, 2, false), r.Number(20, 2, false));
    }
    const auto width = r.Number(18, 4, false);
    const auto height = r.Number(22, 4, false);
    if (!width || !height) {
        return std::nullopt;
    }
    // Signed: a negative height is a top-down picture of that many rows.
    const auto signedValue = [](uint32_t v) {
        return v >= 0x80000000u ? static_cast<int64_t>(v) - 0x100000000 : static_cast<int64_t>(v);
    };
    const int64_t rows = signedValue(*height);
    return DeclaredSize{signedValue(*width), rows < 0 ? -rows : rows};
}

std::optional<DeclaredSize> TiffSize(const Reader& r, bool bigEndian) {
    const auto directory = r.Number(4, 4, bigEndian);
    if (!directory) {
        return std::nullopt;
    }
    const auto entries = r.Number(*directory, 2, bigEndian);
    if (!entries) {
        return std::nullopt;
    }
    std::optional<uint32_t> width;
    std::optional<uint32_t> height;
    for (size_t i = 0; i < *entries; ++i) {
        const size_t entry = *directory + 2 + i * 12;
        const auto tag = r.Number(entry, 2, bigEndian);
        const auto type = r.Number(entry + 2, 2, bigEndian);
        if (!tag || !type) {
            return std::nullopt;
        }
        // A SHORT (3) sits in the first two bytes of the value field, a LONG (4) fills it.
        const auto value =
            *type == 3 ? r.Number(entry + 8, 2, bigEndian) : r.Number(entry + 8, 4, bigEndian);
        if (*tag == 256) {
            width = value;
        } else if (*tag == 257) {
            height = value;
        }
    }
    return Sized(width, height);
}

// The logical screen, grown by every frame: a frame may declare more than the screen, and the
// decoder makes room for each frame as declared.
std::optional<DeclaredSize> GifSize(const Reader& r) {
    const auto width = r.Number(6, 2, false);
    const auto height = r.Number(8, 2, false);
    const auto flags = r.Number(10, 1, false);
    if (!width || !height || !flags) {
        return std::nullopt;
    }
    DeclaredSize size{*width, *height};
    // The colour table: 3 bytes for each of 2^(n+1) colours, when the flag says there is one.
    const auto colourTable = [](uint32_t tableFlags) {
        return (tableFlags & 0x80) != 0 ? size_t{3} << ((tableFlags & 7) + 1) : size_t{0};
    };
    // Skips data sub-blocks (a length byte, then that many bytes) up to the empty one.
    const auto skipSubBlocks = [&](size_t at) -> std::optional<size_t> {
        while (const auto length = r.Number(at, 1, false)) {
            at += 1 + *length;
            if (*length == 0) {
                return at;
            }
        }
        return std::nullopt;
    };
    size_t at = 13 + colourTable(*flags);
    while (const auto block = r.Number(at, 1, false)) {
        if (*block == 0x3B) { // trailer
            return size;
        }
        std::optional<size_t> next;
        if (*block == 0x21) { // extension: label, then sub-blocks
            next = skipSubBlocks(at + 2);
        } else if (*block == 0x2C) { // image descriptor
            const auto frameWidth = r.Number(at + 5, 2, false);
            const auto frameHeight = r.Number(at + 7, 2, false);
            const auto frameFlags = r.Number(at + 9, 1, false);
            if (!frameWidth || !frameHeight || !frameFlags) {
                return std::nullopt;
            }
            size.Width = std::max<int64_t>(size.Width, *frameWidth);
            size.Height = std::max<int64_t>(size.Height, *frameHeight);
            next = skipSubBlocks(at + 10 + colourTable(*frameFlags) + 1);
        }
        if (!next) {
            return std::nullopt;
        }
        at = *next;
    }
    return size; // data ends without a trailer: what was declared so far
}

// The largest entry of an icon or cursor; an entry stored as a PNG declares its own size.
std::optional<DeclaredSize> IconSize(const Reader& r) {
    const auto count = r.Number(4, 2, false);
    if (!count || *count == 0) {
        return std::nullopt;
    }
    DeclaredSize largest;
    for (size_t i = 0; i < *count; ++i) {
        const size_t entry = 6 + i * 16;
        const auto width = r.Number(entry, 1, false);
        const auto height = r.Number(entry + 1, 1, false);
        const auto length = r.Number(entry + 8, 4, false);
        const auto offset = r.Number(entry + 12, 4, false);
        if (!width || !height || !length || !offset) {
            return std::nullopt;
        }
        DeclaredSize size{*width == 0 ? 256 : *width, *height == 0 ? 256 : *height};
        const Reader image(r.From(*offset, *length));
        if (image.StartsWith(0, {0x89, 'P', 'N', 'G'})) {
            const auto png = PngSize(image);
            if (!png) {
                return std::nullopt;
            }
            size = *png;
        }
        largest.Width = std::max(largest.Width, size.Width);
        largest.Height = std::max(largest.Height, size.Height);
    }
    return largest;
}

} // namespace

std::optional<DeclaredSize> DeclaredImageSize(std::span<const uint8_t> bytes) {
    const Reader r(bytes);
    if (r.StartsWith(0, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'})) {
        return PngSize(r);
    }
    if (r.StartsWith(0, {0xFF, 0xD8})) {
        return JpegSize(r);
    }
    if (r.StartsWith(0, {'G', 'I', 'F', '8'})) {
        return GifSize(r);
    }
    if (r.StartsWith(0, {'B', 'M'})) {
        return BmpSize(r);
    }
    if (r.StartsWith(0, {'I', 'I', 42, 0})) {
        return TiffSize(r, false);
    }
    if (r.StartsWith(0, {'M', 'M', 0, 42})) {
        return TiffSize(r, true);
    }
    if (r.StartsWith(0, {0, 0, 1, 0}) || r.StartsWith(0, {0, 0, 2, 0})) {
        return IconSize(r);
    }
    return std::nullopt;
}

bool IsDecodableSize(const DeclaredSize& size, int64_t screenPixels) {
    return size.Width >= 1 && size.Height >= 1 && size.Width <= MaxImageSide &&
           size.Height <= MaxImageSide && size.Width * size.Height <= 4 * screenPixels;
}

int64_t MaxImageFileBytes(int64_t screenPixels) {
    const int64_t pixels =
        std::min(4 * std::max<int64_t>(screenPixels, 0), MaxImageSide * MaxImageSide);
    return 4 * pixels + (int64_t{1} << 20);
}

bool MayReadImageFile(std::span<const uint8_t> head, int64_t fileSize, int64_t screenPixels) {
    if (fileSize < 0 || fileSize > MaxImageFileBytes(screenPixels)) {
        return false;
    }
    const std::optional<DeclaredSize> declared = DeclaredImageSize(head);
    return !declared || IsDecodableSize(*declared, screenPixels);
}

} // namespace glaze
