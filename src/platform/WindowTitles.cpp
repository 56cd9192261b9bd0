#include "platform/WindowTitles.h"

#include "platform/AnsiText.h"
#include "platform/TopLevelWindows.h"

namespace glaze {
namespace {

// Over a list of the windows taken at once: walking the window order one step at a time misses
// windows when frames restack themselves meanwhile, as they do whenever a framed program comes
// to the front.
HWND FirstWindowTitled(std::wstring_view title, bool shownOnly) {
    for (const HWND window : TopLevelWindows()) {
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

bool IsShownWindowOfThread(HWND window, DWORD thread) {
    return IsWindow(window) && IsWindowVisible(window) &&
           GetAncestor(window, GA_PARENT) == GetDesktopWindow() &&
           GetWindowThreadProcessId(window, nullptr) == thread;
}

} // namespace glaze
