#pragma once
// Initialisation-style profile files in the ANSI code page: myset.ini beside the program, the
// hand-over file in the temporary directory, and each skin's skin.ini. Every call names its file.

#include <cstdint>
#include <string>
#include <string_view>

namespace glaze::ProfileFile {

// The value of the key, without its outer blanks, or empty text. At most 127 bytes of the
// value in the ANSI code page come back. A blank key reads nothing.
std::wstring ReadProfile(std::wstring_view file, std::wstring_view section, std::wstring_view key);

// The whole value, however long (up to 64 KB), where a value must come back exactly as it was
// written.
std::wstring ReadWholeProfile(std::wstring_view file, std::wstring_view section,
                              std::wstring_view key);

// Writes the key; false, writing nothing, when the section, the key or the value is blank.
bool WriteProfile(std::wstring_view file, std::wstring_view section, std::wstring_view key,
                  std::wstring_view value);

// Whether the path names an existing ordinary file (not a directory, hidden or system file).
bool FileExists(std::wstring_view path);

// The number in a key, by the numeric reading of profile values.
int32_t ReadProfileNumber(std::wstring_view file, std::wstring_view section, std::wstring_view key);

} // namespace glaze::ProfileFile
