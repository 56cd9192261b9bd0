#include "platform/WorkingSet.h"

#include <windows.h>

namespace glaze {

void TrimWorkingSet() {
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

} // namespace glaze
