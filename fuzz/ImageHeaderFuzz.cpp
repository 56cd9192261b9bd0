// The header reader on any bytes a skin's picture file may hold: it reads within them only
// (ASan stops at any read beyond) and ends for every input.

#include "platform/ImageHeader.h"

using namespace glaze;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto declared = DeclaredImageSize(std::span<const uint8_t>(data, size));
    if (declared && declared->Width > 0 && declared->Height > 0) {
        (void)IsDecodableSize(*declared, 1280 * 800);
    }
    return 0;
}
