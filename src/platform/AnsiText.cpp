#include "platform/AnsiText.h"

#include <vector>

namespace glaze {

std::string ToAnsi(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int wideLength = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

std::optional<std::string> ToAnsiExactly(std::wstring_view text) {
    // A system whose code page is UTF-8 holds every character, and takes neither the flag nor
    // the question.
    if (GetACP() == CP_UTF8) {
        return ToAnsi(text);
    }
    if (text.empty()) {
        return std::string();
    }
    const int wideLength = static_cast<int>(text.size());
    BOOL lost = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), wideLength,
                                           nullptr, 0, nullptr, &lost);
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), wideLength, ansi.data(), length,
                        nullptr, &lost);
    if (lost || length <= 0) {
        return std::nullopt;
    }
    return ansi;
}

std::wstring FromAnsi(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int ansiLength = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), ansiLength, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), ansiLength, wide.data(), length);
    return wide;
}

int32_t AnsiCodeOf(wchar_t c) {
    const std::string bytes = ToAnsi(std::wstring_view(&c, 1));
    if (bytes.size() == 1) {
        return static_cast<unsigned char>(bytes[0]);
    }
    if (bytes.size() == 2) {
        const auto code = static_cast<uint16_t>((static_cast<unsigned char>(bytes[0]) << 8) |
                                                static_cast<unsigned char>(bytes[1]));
        return static_cast<int16_t>(code);
    }
    return 0;
}

std::wstring WindowTitle(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) {
        return {};
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const int read = GetWindowTextA(window, buffer.data(), length + 1);
    return read > 0 ? FromAnsi(std::string_view(buffer.data(), static_cast<size_t>(read)))
                    : std::wstring();
}

std::wstring ListEntryText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    // LB_ERR and CB_ERR are both -1.
    const LRESULT length = SendMessageA(control, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(control, textMessage, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
    return FromAnsi(text);
}

} // namespace glaze
