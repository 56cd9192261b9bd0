#pragma once
// Image files read for decoding. The header is checked from a file's first bytes before the rest
// is read, so a file claiming a gigantic picture, or simply gigantic, costs no more than those
// bytes; a file that may be decoded goes whole, straight from the disk, into the movable memory
// block that the decoder's stream reads, without a copy.

#include "platform/Scoped.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace glaze {

class ImageBytes {
public:
    ImageBytes() = default;
    // A copy of bytes already in memory.
    explicit ImageBytes(std::span<const uint8_t> bytes);

    HGLOBAL Memory() const { return memory_; }
    size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }
    // The bytes, for as long as `use` runs; empty when they cannot be reached.
    template <typename Use> auto WithBytes(Use use) const {
        auto* bytes = memory_ ? static_cast<const uint8_t*>(GlobalLock(memory_)) : nullptr;
        const auto result = use(std::span<const uint8_t>(bytes, bytes != nullptr ? size_ : 0));
        if (bytes != nullptr) {
            GlobalUnlock(memory_);
        }
        return result;
    }

private:
    friend ImageBytes ReadImageFile(const std::wstring& path, int64_t screenPixels);
    ScopedGlobal memory_;
    size_t size_ = 0;
};

// The file at `path` when it may be decoded on a screen of that many pixels (MayReadImageFile);
// empty when it may not be, is missing, empty or cannot be read.
ImageBytes ReadImageFile(const std::wstring& path, int64_t screenPixels);

// The start of a file (ImageHeadBytes at most) and its whole size, as read before the rest:
// what tells why an image is not shown. Nothing when the file cannot be read.
struct ImageFileHead {
    std::vector<uint8_t> Head;
    int64_t Size = 0;
};
std::optional<ImageFileHead> ReadImageFileHead(const std::wstring& path);

// Any file whole, for the tools that compare a skin's files: nothing when it cannot be read.
std::vector<uint8_t> ReadFileBytes(const std::wstring& path);

} // namespace glaze
