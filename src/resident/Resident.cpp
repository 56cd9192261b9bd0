// The resident glaze as a process: one per session, found and told things by the others.

#include "resident/Resident.h"

#include "panel/FrameProcess.h"
#include "platform/Scoped.h"
#include "resident/ResidentWindow.h"
#include "settings/CommandLine.h"

#include <array>
#include <string_view>

namespace glaze {
namespace {

// One resident glaze per user session.
constexpr wchar_t InstanceName[] = L"Local\\glaze-resident";

} // namespace

int RunResident() {
    const ScopedHandle instance(CreateMutexW(nullptr, FALSE, InstanceName));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        if (const HWND first = FindWindowW(ResidentWindowClass, nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(first, &process);
            AllowSetForegroundWindow(process);
            PostMessageW(first, ShowMenuMessage(), 0, 0);
        }
        return 0;
    }
    ResidentWindow resident;
    if (!resident.Create()) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

void StartResident() {
    StartThisProgram(ResidentArgument);
}

void TellResidentRulesChanged() {
    if (const HWND resident = FindWindowW(ResidentWindowClass, nullptr)) {
        PostMessageW(resident, RulesChangedMessage(), 0, 0);
    }
}

bool IsResidentWindow(HWND window) {
    std::array<wchar_t, std::size(ResidentWindowClass) + 1> name{};
    return window != nullptr &&
           GetClassNameW(window, name.data(), static_cast<int>(name.size())) > 0 &&
           std::wstring_view(name.data()) == ResidentWindowClass;
}

} // namespace glaze
