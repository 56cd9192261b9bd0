#include "platform/WindowTitles.h"

#include "platform/AnsiText.h"

#include <windows.h>

namespace glaze {

bool TitleExists(std::wstring_view title) {
    for (HWND window = GetTopWindow(nullptr); window != nullptr;
         window = GetWindow(window, GW_HWNDNEXT)) {
        const std::wstring candidate = WindowTitle(window);
        if (!candidate.empty() && candidate == title) {
            return true;
        }
    }
    return false;
}

} // namespace glaze
