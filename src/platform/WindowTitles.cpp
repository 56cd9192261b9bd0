#include "platform/WindowTitles.h"

#include "platform/AnsiText.h"

namespace glaze {
namespace {

HWND FirstWindowTitled(std::wstring_view title, bool shownOnly) {
    for (HWND window = GetTopWindow(nullptr); window != nullptr;
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (shownOnly && !IsWindowVisible(window)) {
            continue;
        }
        const std::wstring candidate = WindowTitle(window);
        if (!candidate.empty() && candidate == title) {
            return window;
        }
    }
    return nullptr;
}

} // namespace

bool TitleExists(std::wstring_view title) {
    return FirstWindowTitled(title, false) != nullptr;
}

HWND ShownWindowTitled(std::wstring_view title) {
    return FirstWindowTitled(title, true);
}

} // namespace glaze
