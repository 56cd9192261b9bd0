#pragma once
// The font of the program's own windows: 微软雅黑 at 9 points, in the Chinese character set.

#include "platform/Scoped.h"

namespace glaze {

ScopedFont CreatePanelFont();

} // namespace glaze
