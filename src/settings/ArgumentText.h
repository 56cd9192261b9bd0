#pragma once
// Portable: the argument text of a process, from its whole command line.

#include <string_view>

namespace glaze {

// Everything after the program's own name (quoted or not) and the blanks that follow it,
// exactly as given: a frame's title is taken from it character for character.
std::wstring_view ArgumentTextOf(std::wstring_view commandLine);

} // namespace glaze
