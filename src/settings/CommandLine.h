#pragma once
// Portable: the argument text of a frame process, "title" + separator + style letter [+ "/q"].

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace glaze {

struct FrameArguments {
    std::wstring Title;        // separator and letter removed, untrimmed: what was launched
    std::wstring TrimmedTitle; // the title with outer blanks removed: the window to look for
    int32_t StyleIndex = 0;    // code of the style letter minus 65 ("A" is the first skin)
    int32_t CloseProgram = 0;  // 1 when the text ended in "/q"
};

// The code of one character in the ANSI code page ("A" is 65; a double-byte character gives
// its two bytes as a signed 16-bit number, as the platform reports it).
using AnsiCodeFunction = std::function<int32_t(wchar_t)>;

// Parses the argument text from the right. Nothing comes back when the process must end at
// once: the text is too short to hold a separator and a letter, or the title names one of
// this program's own windows. Whether a window with the title exists is the caller's question.
std::optional<FrameArguments> ParseArgumentText(std::wstring_view text,
                                                const AnsiCodeFunction& ansiCode);

} // namespace glaze
