#pragma once
// Turns a fuzzer's bytes into the numbers and texts a target needs: numbers first, little-endian,
// then the rest as UTF-16LE text. A short input reads as zeros and empty text.

#include <cstddef>
#include <cstdint>
#include <string>

namespace glaze::fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    int32_t Int32() {
        uint32_t value = 0;
        for (int byte = 0; byte < 4; ++byte) {
            value |= static_cast<uint32_t>(Byte()) << (8 * byte);
        }
        return static_cast<int32_t>(value);
    }
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::wstring Text() {
        std::wstring text;
        for (; at_ + 1 < size_; at_ += 2) {
            text += static_cast<wchar_t>(data_[at_] | data_[at_ + 1] << 8);
        }
        at_ = size_;
        return text;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// Stops the run with the input that broke the property.
inline void Require(bool property) {
    if (!property) {
        __builtin_trap();
    }
}

} // namespace glaze::fuzz
