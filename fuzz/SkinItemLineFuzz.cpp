// A skin item line of any text: nine fields or nothing, positions and sizes within the limit.

#include "FuzzInput.h"
#include "settings/SkinItemLine.h"

using namespace glaze;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const std::wstring line = input.Text();
    const auto fields = ParseSkinItemLine(line);
    if (fields) {
        for (const int32_t value : {fields->X, fields->Y, fields->Width, fields->Height}) {
            fuzz::Require(value >= -SkinCoordinateLimit && value <= SkinCoordinateLimit);
        }
        fuzz::Require(fields->Label.size() + fields->ImageFile.size() < line.size());
    }
    return 0;
}
