#pragma once
// The skin checker: what the program will do with a skin, reported without a window.

#include <cstdint>
#include <cstdio>
#include <string>

namespace glaze::tools {

// Writes the report (UTF-8; items are placed in the reference frame of SkinPictures.h), for the
// skin as the program loads it at dpi, and returns the exit status: 0 when the program loads the
// skin, 1 when it refuses it (or does not even list the directory as a skin). Images made for a
// scale ("frame@2x.png") are checked whatever the DPI.
int CheckSkin(const std::wstring& skinDir, std::FILE* out, int32_t dpi);

} // namespace glaze::tools
