#pragma once
// Portable: the patterns of the rules, where "*" stands for any run of characters and "?" for
// any one character; everything else stands for itself.

#include <string_view>

namespace glaze {

// Whether the whole text matches the pattern. With ignoreCase, Latin letters match in either
// case (program and class names); titles are matched with their case. The time taken grows
// with the product of the two lengths at worst, never exponentially.
bool MatchesPattern(std::wstring_view pattern, std::wstring_view text, bool ignoreCase);

// The text with Latin capitals made small: how program names are compared.
wchar_t FoldCase(wchar_t c);

} // namespace glaze
