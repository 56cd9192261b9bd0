#pragma once
// The list of usable skins as every process of the program orders it: a sorted combo box filled
// with the names of the skin directories. A frame's skin letter is a place in that list.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glaze {

// Fills the combo box (made with CBS_SORT) with the usable skins under SKIN.
void FillSkinList(HWND combo, std::wstring_view appDir);

// The names in the combo box, in its order.
std::vector<std::wstring> SkinListNames(HWND combo);

// The place of the named skin in the combo box, compared without case as file names are.
std::optional<int32_t> SkinListIndexOf(HWND combo, std::wstring_view name);

} // namespace glaze
