#pragma once
// The skin the frame shows: where it lies, whether it is ready, and its borders around the
// content window. The frame's hooks read it; the skin load writes it.

#include <cstdint>
#include <string>

namespace glaze {

struct LoadedSkin {
    std::wstring Dir;   // the skin's directory, no closing backslash
    bool Ready = false; // false while a skin load is under way
    int32_t MarginLeft = 0;
    int32_t MarginTop = 0;
    int32_t MarginH = 0; // left + right border
    int32_t MarginV = 0; // top + bottom border
};

// This process's.
LoadedSkin& TheLoadedSkin();

} // namespace glaze
