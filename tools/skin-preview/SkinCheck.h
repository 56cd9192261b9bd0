#pragma once
// The skin checker: what the program will do with a skin, reported without a window.

#include <cstdio>
#include <string>

namespace glaze::tools {

// The frame size at which items are placed for the report.
inline constexpr int CheckFrameWidth = 400;
inline constexpr int CheckFrameHeight = 300;

// Writes the report (UTF-8) and returns the exit status: 0 when the program loads the skin,
// 1 when it refuses it (or does not even list the directory as a skin).
int CheckSkin(const std::wstring& skinDir, std::FILE* out);

} // namespace glaze::tools
