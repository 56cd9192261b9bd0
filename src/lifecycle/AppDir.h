#pragma once
// Portable: the program's directory as the rest of the program uses it.

#include <string>
#include <string_view>

namespace glaze {

// The directory of the executable at the given path, always ending in one backslash:
// "C:\glaze.exe" gives "C:\", "C:\Tools\glaze.exe" gives "C:\Tools\".
std::wstring AppDirOfExecutable(std::wstring_view executablePath);

} // namespace glaze
