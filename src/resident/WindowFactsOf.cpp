#include "resident/WindowFactsOf.h"

#include "platform/AnsiText.h"
#include "platform/Scoped.h"
#include "platform/Screens.h"

#include <array>

namespace glaze {
namespace {

// The file name of the program that owns the window; empty when its process cannot be asked,
// as for another user's or an elevated program.
std::wstring ProgramOf(DWORD processId) {
    const ScopedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        return {};
    }
    std::array<wchar_t, MAX_PATH> path{};
    DWORD length = MAX_PATH;
    if (!QueryFullProcessImageNameW(process, 0, path.data(), &length)) {
        return {};
    }
    const std::wstring_view full(path.data(), length);
    const size_t slash = full.find_last_of(L"\\/");
    return std::wstring(slash == std::wstring_view::npos ? full : full.substr(slash + 1));
}

std::wstring ClassNameOf(HWND window) {
    std::array<wchar_t, 256> name{};
    const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return std::wstring(name.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

} // namespace

WindowFacts WindowFactsOf(HWND window) {
    WindowFacts facts;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    facts.OwnProcess = processId == GetCurrentProcessId();
    facts.Program = ProgramOf(processId);
    facts.Class = ClassNameOf(window);
    facts.Title = WindowTitle(window);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    facts.Visible = IsWindowVisible(window) != FALSE && !IsCloaked(window);
    RECT rect{};
    GetWindowRect(window, &rect);
    facts.HasArea = rect.right > rect.left && rect.bottom > rect.top;
    // A window taken into a frame lies on the frame's content window, without WS_CHILD.
    facts.Child = (style & WS_CHILD) != 0 || GetAncestor(window, GA_PARENT) != GetDesktopWindow();
    const HWND owner = GetWindow(window, GW_OWNER);
    facts.Owned = owner != nullptr;
    if (owner != nullptr) {
        DWORD ownerProcess = 0;
        GetWindowThreadProcessId(owner, &ownerProcess);
        RECT ownerRect{};
        GetWindowRect(owner, &ownerRect);
        facts.OwnerIsHiddenAppWindow =
            ownerProcess == processId &&
            (!IsWindowVisible(owner) || ownerRect.right <= ownerRect.left ||
             ownerRect.bottom <= ownerRect.top);
    }
    facts.AppWindow = (exStyle & WS_EX_APPWINDOW) != 0;
    facts.ToolWindow = (exStyle & WS_EX_TOOLWINDOW) != 0;
    return facts;
}

} // namespace glaze
