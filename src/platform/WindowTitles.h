#pragma once

#include <string_view>

namespace glaze {

// Whether some top-level window, hidden ones included, has exactly this title
// (case and character width matter; nothing is trimmed).
bool TitleExists(std::wstring_view title);

} // namespace glaze
