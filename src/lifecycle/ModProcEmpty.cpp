#include "lifecycle/ModProcEmpty.h"

#include <windows.h>

namespace glaze::ModProcEmpty {

void TrimWorkingSet() {
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

} // namespace glaze::ModProcEmpty
