#pragma once
// Portable: what the panel's Apply button does with the title box's text, and the command line
// that starts a frame process for a title.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glaze {

enum class ApplyAction {
    Nothing, // empty text, or the panel's own caption
    Restyle, // a running frame's caption: that frame takes the panel's skin and close option
    Launch,  // any other title: a new frame process captures the window with it
};

ApplyAction ApplyActionFor(std::wstring_view text);

// The quoted program path, a blank, then title/letter[/q]: the letter is "A" for the first skin,
// and "/q" follows only when the close option is ticked (1; the dimmed 2 does not count). The
// letter stays in 7-bit ASCII, which every code page reads alike, so a style index outside
// 0..62 gives nothing. Nothing either when the new process would read the line back otherwise
// than meant: skin index 48 (the letter "q") without the close option, a title that names one
// of this program's own windows, or a title starting with blanks, which the new process skips.
std::optional<std::wstring> FrameCommandLine(std::wstring_view programPath, std::wstring_view title,
                                             int32_t styleIndex, int32_t closeOption);

} // namespace glaze
