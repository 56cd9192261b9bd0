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

} // namespace glaze
