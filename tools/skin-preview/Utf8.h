#pragma once
// The tool writes UTF-8, whatever the system's ANSI code page.

#include <windows.h>

#include <string>
#include <string_view>

namespace glaze::tools {

inline std::string Utf8(std::wstring_view text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                        length, nullptr, nullptr);
    return bytes;
}

} // namespace glaze::tools
