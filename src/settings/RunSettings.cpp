#include "settings/RunSettings.h"

namespace glaze {

RunSettings& TheRun() {
    static RunSettings run;
    return run;
}

} // namespace glaze
