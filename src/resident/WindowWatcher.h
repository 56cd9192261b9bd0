#pragma once
// How the resident glaze hears of other programs' windows: window events where the system gives
// them (creation, showing, destruction), the window list read every second where it does not,
// and windows not ready yet looked at again shortly. Every top-level window is handed to one
// look, which says whether the window wants another look soon.

#include "platform/Scoped.h"
#include "resident/LaunchQueue.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <set>

namespace glaze {

class WindowWatcher {
public:
    // look: decides on the window; true when it is not ready yet and wants another look soon.
    // created: a window was made (its handle names a new window). changed: the next Tick may be
    // due sooner, after an event.
    WindowWatcher(std::function<bool(HWND)> look, std::function<void(HWND)> created,
                  std::function<void()> changed);
    ~WindowWatcher();
    WindowWatcher(const WindowWatcher&) = delete;
    WindowWatcher& operator=(const WindowWatcher&) = delete;

    // Starts or stops hearing of windows; stopping also forgets the windows that wait.
    void Watch(bool on);
    // Looks at every top-level window there is now, once.
    void LookAtEveryWindow();
    // Looks again at the windows that wait, and reads the window list when that is due.
    void Tick();
    // When Tick wants to run; nothing while no window waits and events are heard.
    std::optional<UINT> NextTickIn() const;

private:
    static void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                                    LONG child, DWORD, DWORD);
    void OnEvent(DWORD event, HWND window);
    void LookAt(HWND window);
    void Sweep();

    std::function<bool(HWND)> look_;
    std::function<void(HWND)> created_;
    std::function<void()> changed_;
    ScopedWinEventHook hook_;
    PendingWindows pending_;
    // Without window events: the windows of the last reading of the list, and when it was.
    bool sweeping_ = false;
    std::set<WindowId> swept_;
    ULONGLONG lastSweep_ = 0;
};

} // namespace glaze
