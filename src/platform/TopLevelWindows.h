#pragma once

#include <windows.h>

#include <vector>

namespace glaze {

// Every top-level window, hidden ones included, from the top of the window order down.
std::vector<HWND> TopLevelWindows();

} // namespace glaze
