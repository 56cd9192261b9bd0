#pragma once
// A code page for the tests of the rules file's encodings, in place of the system's ANSI one:
// Latin-1, one byte a character, with no bytes for any character beyond U+00FF.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glaze::test {

inline std::wstring FromLatin1(std::string_view bytes) {
    std::wstring text;
    for (const char byte : bytes) {
        text += static_cast<wchar_t>(static_cast<unsigned char>(byte));
    }
    return text;
}

inline std::optional<std::string> ToLatin1(std::wstring_view text) {
    std::string bytes;
    for (const wchar_t c : text) {
        if (static_cast<uint32_t>(c) > 0xFF) {
            return std::nullopt;
        }
        bytes += static_cast<char>(c);
    }
    return bytes;
}

} // namespace glaze::test
