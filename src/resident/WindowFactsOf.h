#pragma once
// What the resident glaze reads of a window to decide whether a rule frames it.

#include "resident/RuleMatch.h"

#include <windows.h>

namespace glaze {

WindowFacts WindowFactsOf(HWND window);

} // namespace glaze
