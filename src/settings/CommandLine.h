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

// What a frame started for one exact window finds beside its argument text, in the environment
// variable GLAZE_FRAME: that window (titles repeat, and change), the thread that made it (a
// handle used again by another window is not it), and how the frame comes up.
struct FrameExtras {
    uint64_t Window = 0;
    uint32_t Thread = 0;
    bool OnTop = false;
    int32_t Opacity = 100; // percent, MinOpacity to 100
};
// The least opacity a frame takes, as its menu offers: below, a window is hard to find again.
inline constexpr int32_t MinOpacity = 60;
inline constexpr wchar_t FrameExtrasVariable[] = L"GLAZE_FRAME";
// "window=2007c thread=1a4 ontop=1 opacity=80": the window and thread in hexadecimal digits.
std::wstring FrameExtrasText(const FrameExtras& extras);
// Nothing unless the text is exactly such words, with a window other than 0, a thread, and an
// opacity from MinOpacity to 100.
std::optional<FrameExtras> ReadFrameExtras(std::wstring_view text);

} // namespace glaze
