#include "settings/CommandLine.h"

#include "platform/Captions.h"

namespace glaze {

std::optional<FrameArguments> ParseArgumentText(std::wstring_view text,
                                                const AnsiCodeFunction& ansiCode) {
    FrameArguments args;
    constexpr std::wstring_view QuitOption = L"/q";
    if (text.ends_with(QuitOption)) {
        args.CloseProgram = 1;
        text.remove_suffix(QuitOption.size());
    }
    if (text.size() < 2) {
        return std::nullopt;
    }
    args.StyleIndex = ansiCode(text.back()) - 65;
    text.remove_suffix(2);
    args.Title = std::wstring(text);
    args.TrimmedTitle = std::wstring(TrimBlanks(text));
    if (EndsWithTitleMarker(args.TrimmedTitle)) {
        return std::nullopt;
    }
    return args;
}

std::wstring WindowHandleText(uint64_t handle) {
    constexpr std::wstring_view Digits = L"0123456789abcdef";
    std::wstring text;
    do {
        text.insert(text.begin(), Digits[handle % 16]);
        handle /= 16;
    } while (handle != 0);
    return text;
}

std::optional<uint64_t> ReadWindowHandleText(std::wstring_view text) {
    if (text.empty() || text.size() > 16) {
        return std::nullopt;
    }
    uint64_t handle = 0;
    for (const wchar_t c : text) {
        const int digit = c >= L'0' && c <= L'9'   ? c - L'0'
                          : c >= L'a' && c <= L'f' ? c - L'a' + 10
                          : c >= L'A' && c <= L'F' ? c - L'A' + 10
                                                   : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        handle = handle * 16 + static_cast<uint64_t>(digit);
    }
    if (handle == 0) {
        return std::nullopt;
    }
    return handle;
}

} // namespace glaze
