#pragma once
// Text crosses into the ANSI code page exactly where the program calls an A function.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glaze {

std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view text);
// The text in the ANSI code page, or nothing when the code page has no bytes for some of its
// characters (where ToAnsi would put a "?" or a look-alike).
std::optional<std::string> ToAnsiExactly(std::wstring_view text);

// The code of one character in the ANSI code page: a single byte as 0..255, a double-byte
// character as its lead and trail byte read as a signed 16-bit number.
int32_t AnsiCodeOf(wchar_t c);

// Reads a window's title through the A interface, as other programs see it.
std::wstring WindowTitle(HWND window);

// An entry of a list box (LB_GETTEXTLEN, LB_GETTEXT) or a combo box (CB_GETLBTEXTLEN,
// CB_GETLBTEXT) through the A messages; empty when there is no such entry.
std::wstring ListEntryText(HWND control, UINT lengthMessage, UINT textMessage, int index);

} // namespace glaze
