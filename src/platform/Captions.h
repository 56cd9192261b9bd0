#pragma once
// Portable: the captions by which the program recognises its own windows.

#include <string_view>

namespace glaze {

// Design-time caption of both forms, and the caption of the control panel.
inline constexpr std::wstring_view TitleMarker = L"模拟Glaze窗体*";
// A frame's caption is the framed window's title followed by this.
inline constexpr std::wstring_view FrameCaptionSuffix = L" - 模拟Glaze窗体*";

// Leading and trailing spaces removed (spaces only; tabs and other blanks stay).
std::wstring_view TrimBlanks(std::wstring_view text);

// Whether the text ends with the title marker, as every window of this program does.
bool EndsWithTitleMarker(std::wstring_view text);

} // namespace glaze
