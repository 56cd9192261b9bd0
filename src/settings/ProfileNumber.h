#pragma once
// Portable: how numbers are read from profile values and skin item fields.

#include <cstdint>
#include <optional>
#include <string_view>

namespace glaze {

// The longest leading part of the text that forms a decimal number (blanks, tabs and line
// breaks inside it are skipped; an optional sign, digits, a decimal point and an exponent),
// rounded to the nearest 32-bit integer with halves to even. Empty or non-numeric text is 0.
// A number beyond the 32-bit range gives nothing.
std::optional<int32_t> TryProfileNumber(std::wstring_view text);

// As TryProfileNumber, with 0 for a number beyond the 32-bit range.
int32_t ProfileNumber(std::wstring_view text);

} // namespace glaze
