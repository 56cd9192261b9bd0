#include "platform/Captions.h"

namespace glaze {

std::wstring_view TrimBlanks(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

bool EndsWithTitleMarker(std::wstring_view text) {
    return text.ends_with(TitleMarker);
}

} // namespace glaze
