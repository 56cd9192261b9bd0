#include "hosting/CapturedTarget.h"

#include "frame/ModSysComd.h"
#include "platform/Scoped.h"

#include <optional>

namespace glaze {
namespace {

struct GiveBackRequest {
    const CapturedTarget* Target;
    ScreenRect Place;
    bool CloseProgram;
};

DWORD WINAPI GiveBackThread(void* parameter) {
    const auto& request = *static_cast<const GiveBackRequest*>(parameter);
    GiveBackAtOnce(*request.Target, request.Place);
    if (request.CloseProgram) {
        PostMessageA(request.Target->Window, WM_CLOSE, 0, 0);
    }
    return 0;
}

} // namespace

bool CapturedTarget::StillThere() const {
    return Window != nullptr && IsWindow(Window) &&
           GetWindowThreadProcessId(Window, nullptr) == Thread;
}

void GiveBackAtOnce(const CapturedTarget& target, const ScreenRect& place) {
    const HWND window = target.Window;
    LockWindowUpdate(window);
    // Still a child of the content window: the re-parenting keeps these numbers, which puts the
    // window's client area where the content window's is.
    MoveWindow(window, place.Left, place.Top, place.Right - place.Left, place.Bottom - place.Top,
               FALSE);
    SetWindowLongA(window, GWL_STYLE, target.Style);
    SetParent(window, target.Parent);
    ModSysComd::PostSysCommand(window, SC_MINIMIZE);
    ModSysComd::PostSysCommand(window, SC_RESTORE);
    LockWindowUpdate(nullptr);
}

void GiveBack(const CapturedTarget& target, const ScreenRect& place, bool closeProgram) {
    GiveBackRequest request{&target, place, closeProgram};
    const ScopedHandle worker(CreateThread(nullptr, 0, GiveBackThread, &request, 0, nullptr));
    if (!worker) {
        GiveBackThread(&request);
        return;
    }
    // The program's answers may involve this thread's windows (the content window is the
    // window's parent until the last step): keep handling their messages meanwhile.
    HANDLE handles[] = {worker.Get()};
    std::optional<int> quit; // kept for the loop that asked for it, once the window is back
    while (MsgWaitForMultipleObjects(1, handles, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
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
}

} // namespace glaze
