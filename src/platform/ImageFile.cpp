#include "platform/ImageFile.h"

#include "platform/AnsiText.h"
#include "platform/ImageHeader.h"

#include <algorithm>
#include <cstring>

namespace glaze {
namespace {

ScopedHandle OpenForReading(const std::wstring& path) {
    return ScopedHandle(CreateFileA(ToAnsi(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Reads exactly `length` bytes; ReadFile may return fewer at a time.
bool ReadExactly(HANDLE file, uint8_t* into, size_t length) {
    while (length > 0) {
        DWORD read = 0;
        const auto chunk = static_cast<DWORD>(std::min<size_t>(length, 1u << 30));
        if (!ReadFile(file, into, chunk, &read, nullptr) || read == 0) {
            return false;
        }
        into += read;
        length -= read;
    }
    return true;
}

// The open file's size and its first bytes.
std::optional<ImageFileHead> ReadHead(HANDLE file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0) {
        return std::nullopt;
    }
    ImageFileHead head;
    head.Size = size.QuadPart;
    head.Head.resize(static_cast<size_t>(std::min<int64_t>(head.Size, ImageHeadBytes)));
    if (!ReadExactly(file, head.Head.data(), head.Head.size())) {
        return std::nullopt;
    }
    return head;
}

} // namespace

ImageBytes::ImageBytes(std::span<const uint8_t> bytes)
    : memory_(bytes.empty() ? nullptr : GlobalAlloc(GMEM_MOVEABLE, bytes.size())) {
    if (!memory_) {
        return;
    }
    if (void* into = GlobalLock(memory_)) {
        std::memcpy(into, bytes.data(), bytes.size());
        GlobalUnlock(memory_);
        size_ = bytes.size();
    }
}

ImageBytes ReadImageFile(const std::wstring& path, int64_t screenPixels) {
    const ScopedHandle file = OpenForReading(path);
    if (!file) {
        return {};
    }
    const std::optional<ImageFileHead> head = ReadHead(file);
    if (!head || head->Size == 0 || !MayReadImageFile(head->Head, head->Size, screenPixels)) {
        return {};
    }
    const auto size = static_cast<size_t>(head->Size);
    ImageBytes bytes;
    bytes.memory_.Reset(GlobalAlloc(GMEM_MOVEABLE, size));
    auto* into = bytes.memory_ ? static_cast<uint8_t*>(GlobalLock(bytes.memory_)) : nullptr;
    if (into == nullptr) {
        return {};
    }
    // The head is in memory already; the rest comes after it.
    std::memcpy(into, head->Head.data(), head->Head.size());
    const bool read = ReadExactly(file, into + head->Head.size(), size - head->Head.size());
    GlobalUnlock(bytes.memory_);
    if (!read) {
        return {};
    }
    bytes.size_ = size;
    return bytes;
}

std::optional<ImageFileHead> ReadImageFileHead(const std::wstring& path) {
    const ScopedHandle file = OpenForReading(path);
    return file ? ReadHead(file) : std::nullopt;
}

std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
    const ScopedHandle file = OpenForReading(path);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file, &size) || size.QuadPart < 0) {
        return {};
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    return ReadExactly(file, bytes.data(), bytes.size()) ? bytes : std::vector<uint8_t>{};
}

} // namespace glaze
