#pragma once
// The font of the program's own windows: 微软雅黑 at 9 points, in the Chinese character set.

#include "platform/Scoped.h"

#include <cstdint>

namespace glaze {

// At the DPI the window it is for is drawn at.
ScopedFont CreatePanelFont(int32_t dpi);

} // namespace glaze
