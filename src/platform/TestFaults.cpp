#include "platform/TestFaults.h"

#include <atomic>
#include <cstdlib>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

namespace glaze::TestFaults {
namespace {

UINT_PTR loopFaultTimer = 0;

bool Armed(std::string_view fault) {
    const char* armed = std::getenv("GLAZE_TEST_FAULT");
    return armed != nullptr && fault == armed;
}

} // namespace

void InSkinLoad() {
    if (Armed("skin-load")) {
        throw std::bad_alloc();
    }
}

void InUnload() {
    if (Armed("unload")) {
        throw std::runtime_error("test fault");
    }
}

void AfterStartUp() {
    if (Armed("throw") || Armed("crash")) {
        loopFaultTimer = SetTimer(nullptr, 0, 1000, nullptr);
    }
}

void InMessageLoop(const MSG& msg) {
    if (loopFaultTimer == 0 || msg.message != WM_TIMER || msg.wParam != loopFaultTimer) {
        return;
    }
    if (Armed("crash")) {
        RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    }
    throw std::runtime_error("test fault");
}

bool NoWindowEvents() {
    return Armed("no-window-events");
}

bool TrayRefused() {
    constexpr ULONGLONG Refusing = 3000;
    static const ULONGLONG start = GetTickCount64();
    return Armed("tray-late") && GetTickCount64() - start < Refusing;
}

bool ParentRefused(bool givingBack) {
    if (!givingBack) {
        return Armed("refuse-capture");
    }
    static std::atomic<bool> refusedOnce{false};
    return Armed("refuse-give-back") && !refusedOnce.exchange(true);
}

void Said(std::wstring_view note) {
    const char* path = std::getenv("GLAZE_TEST_NOTES");
    if (path == nullptr || note.empty()) {
        return;
    }
    const int wide = static_cast<int>(note.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, note.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string line(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, note.data(), wide, line.data(), length, nullptr, nullptr);
    line += '\n';
    const HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        CloseHandle(file);
    }
}

} // namespace glaze::TestFaults
