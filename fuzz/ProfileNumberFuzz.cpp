// The numeric reading of profile values and skin fields on any text: defined for every input,
// and a number is read from the text's leading part only.

#include "FuzzInput.h"
#include "settings/ProfileNumber.h"

using namespace glaze;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const std::wstring text = input.Text();
    const auto number = TryProfileNumber(text);
    fuzz::Require(ProfileNumber(text) == number.value_or(0));
    // Whatever follows a comma does not change the number before it.
    const size_t comma = text.find(L',');
    if (comma != std::wstring::npos) {
        fuzz::Require(TryProfileNumber(std::wstring_view(text).substr(0, comma)) == number);
    }
    return 0;
}
