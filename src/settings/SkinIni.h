#pragma once

#include <string>
#include <vector>

namespace glaze {

// The item lines of the skin.ini that Process.ProfilePath names: SKINNUM0, SKINNUM1, ... up to
// the first key that is missing or empty; later keys are never read.
std::vector<std::wstring> ReadSkinItemLines();

} // namespace glaze
