#include "frame/SkinModel.h"

#include <cstddef>

namespace glaze {

void SkinModel::Resize(int32_t itemCount) {
    const auto n = static_cast<size_t>(itemCount);
    for (auto* numbers : {&ItemAction, &ItemX, &ItemY, &ItemWidth, &ItemHeight, &ItemImageWidth,
                          &ItemImageHeight}) {
        numbers->resize(n, 0);
    }
    for (auto* flags : {&ItemStretch, &ItemSingleCell, &ItemDisabled}) {
        flags->resize(n, false);
    }
}

} // namespace glaze
