#pragma once

#include <windows.h>

#include <string_view>

namespace glaze {

// Whether some top-level window, hidden ones included, has exactly this title
// (case and character width matter; nothing is trimmed).
bool TitleExists(std::wstring_view title);

// The first shown top-level window, in the window order, whose title is exactly this one; null
// when none is shown. A hidden window of the same title (a program's hidden application window,
// a helper) is never the one: taking it in would show it.
HWND ShownWindowTitled(std::wstring_view title);

} // namespace glaze
