#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace glaze {

// The item lines of a skin.ini: SKINNUM0, SKINNUM1, ... up to the first key that is missing or
// empty; later keys are never read.
std::vector<std::wstring> ReadSkinItemLines(std::wstring_view skinIni);

} // namespace glaze
