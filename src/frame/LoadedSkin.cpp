#include "frame/LoadedSkin.h"

namespace glaze {

LoadedSkin& TheLoadedSkin() {
    static LoadedSkin skin;
    return skin;
}

} // namespace glaze
