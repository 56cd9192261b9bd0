#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace glaze {

// The directory of the skin called `name`: SKIN\name beside the program in appDir.
std::wstring SkinDirOf(std::wstring_view appDir, std::wstring_view name);
// A skin's description file, skin.ini in its directory.
std::wstring SkinIniOf(std::wstring_view skinDir);
// A directory is a skin only with its skin.ini.
bool IsSkinDirectory(std::wstring_view dir);

// The item lines of a skin.ini: SKINNUM0, SKINNUM1, ... up to the first key that is missing or
// empty, and no more than MaxSkinItems; later keys are never read.
std::vector<std::wstring> ReadSkinItemLines(std::wstring_view skinIni);
// One item's line, empty when it is missing.
std::wstring ReadSkinItemLine(std::wstring_view skinIni, int32_t item);

} // namespace glaze
