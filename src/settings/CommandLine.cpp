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

namespace {

std::wstring Hexadecimal(uint64_t number) {
    constexpr std::wstring_view Digits = L"0123456789abcdef";
    std::wstring text;
    do {
        text.insert(text.begin(), Digits[number % 16]);
        number /= 16;
    } while (number != 0);
    return text;
}

// 1 to `most` digits of the base; nothing for anything else.
std::optional<uint64_t> NumberOf(std::wstring_view text, uint64_t base, size_t most) {
    if (text.empty() || text.size() > most) {
        return std::nullopt;
    }
    uint64_t number = 0;
    for (const wchar_t c : text) {
        const int digit = c >= L'0' && c <= L'9'                 ? c - L'0'
                          : base == 16 && c >= L'a' && c <= L'f' ? c - L'a' + 10
                          : base == 16 && c >= L'A' && c <= L'F' ? c - L'A' + 10
                                                                 : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        number = number * base + static_cast<uint64_t>(digit);
    }
    return number;
}

} // namespace

std::wstring FrameExtrasText(const FrameExtras& extras) {
    return L"window=" + Hexadecimal(extras.Window) + L" thread=" + Hexadecimal(extras.Thread) +
           L" ontop=" + (extras.OnTop ? L"1" : L"0") + L" opacity=" +
           std::to_wstring(extras.Opacity);
}

std::optional<FrameExtras> ReadFrameExtras(std::wstring_view text) {
    FrameExtras extras;
    bool window = false;
    bool thread = false;
    while (!text.empty()) {
        const size_t blank = text.find(L' ');
        const std::wstring_view word = text.substr(0, blank);
        text = blank == std::wstring_view::npos ? std::wstring_view() : text.substr(blank + 1);
        const size_t equals = word.find(L'=');
        const std::wstring_view key = word.substr(0, equals);
        const std::wstring_view value =
            equals == std::wstring_view::npos ? std::wstring_view() : word.substr(equals + 1);
        const auto hex = NumberOf(value, 16, 16);
        const auto decimal = NumberOf(value, 10, 3);
        if (key == L"window" && hex && *hex != 0) {
            extras.Window = *hex;
            window = true;
        } else if (key == L"thread" && hex && *hex <= UINT32_MAX) {
            extras.Thread = static_cast<uint32_t>(*hex);
            thread = true;
        } else if (key == L"ontop" && decimal && *decimal <= 1) {
            extras.OnTop = *decimal == 1;
        } else if (key == L"opacity" && decimal && *decimal >= static_cast<uint64_t>(MinOpacity) &&
                   *decimal <= 100) {
            extras.Opacity = static_cast<int32_t>(*decimal);
        } else {
            return std::nullopt;
        }
    }
    if (!window || !thread) {
        return std::nullopt;
    }
    return extras;
}

} // namespace glaze
