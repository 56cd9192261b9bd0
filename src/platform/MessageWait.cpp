#include "platform/MessageWait.h"

#include <iterator>
#include <optional>

namespace glaze {

bool WaitHandlingMessages(std::initializer_list<HANDLE> signals, DWORD limitMs) {
    const auto count = static_cast<DWORD>(signals.size());
    const ULONGLONG deadline = GetTickCount64() + limitMs;
    std::optional<int> quit;
    bool signalled = false;
    for (;;) {
        DWORD wait = INFINITE;
        if (limitMs != INFINITE) {
            const ULONGLONG now = GetTickCount64();
            if (now >= deadline) {
                break;
            }
            wait = static_cast<DWORD>(deadline - now);
        }
        const DWORD result =
            MsgWaitForMultipleObjects(count, std::data(signals), FALSE, wait, QS_ALLINPUT);
        if (result < WAIT_OBJECT_0 + count) {
            signalled = true;
            break;
        }
        // A failed wait would fail again at once: it ends the wait instead of spinning.
        if (result != WAIT_OBJECT_0 + count) {
            break;
        }
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = static_cast<int>(msg.wParam);
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (quit) {
        PostQuitMessage(*quit);
    }
    return signalled;
}

void WaitAnsweringSentMessages(HANDLE done, DWORD limitMs) noexcept {
    const ULONGLONG deadline = GetTickCount64() + limitMs;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) {
            return;
        }
        const DWORD result = MsgWaitForMultipleObjectsEx(
            1, &done, static_cast<DWORD>(deadline - now), QS_SENDMESSAGE, 0);
        if (result != WAIT_OBJECT_0 + 1) {
            return; // done, or a wait that would fail again
        }
        // Answers the messages sent to this thread, and only those.
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

namespace {

BOOL CALLBACK ToDefaultHandling(HWND window, LPARAM) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
    EnumChildWindows(window, ToDefaultHandling, 0);
    return TRUE;
}

} // namespace

void HandWindowsToDefaultHandling() noexcept {
    EnumThreadWindows(GetCurrentThreadId(), ToDefaultHandling, 0);
}

} // namespace glaze
