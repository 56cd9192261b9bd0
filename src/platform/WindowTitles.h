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

// Whether the window is still a shown top-level window made by the thread: the same window,
// whatever its title is now (a handle may name another window later, never one of the same
// thread while that lives).
bool IsShownWindowOfThread(HWND window, DWORD thread);

} // namespace glaze
