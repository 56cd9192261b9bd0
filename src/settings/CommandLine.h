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

// The argument text that starts the resident glaze. The frame grammar would read it as the
// window titled "--reside" with skin letter "t"; no frame is ever started for that.
inline constexpr std::wstring_view ResidentArgument = L"--resident";

// A frame started for one exact window (titles repeat) finds its handle, beside the argument
// text, in this environment variable, written as hexadecimal digits.
inline constexpr wchar_t FrameWindowVariable[] = L"GLAZE_FRAME_WINDOW";
std::wstring WindowHandleText(uint64_t handle);
// Nothing unless the text is 1 to 16 hexadecimal digits naming a handle other than 0.
std::optional<uint64_t> ReadWindowHandleText(std::wstring_view text);

} // namespace glaze
