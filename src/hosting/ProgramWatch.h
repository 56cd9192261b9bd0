#pragma once
// How the frame learns of what the framed program does to its own window: the system's window
// events, where it delivers them for another program's window (Windows does; Wine 8 delivers
// none of showing, hiding, moving, sizing or retitling), and a light look on a timer otherwise,
// often enough to follow within a screen refresh. Until an event has shown that they arrive the
// timer looks often; once one has, it only looks now and then. A look that finds nothing
// changed does nothing.

#include <windows.h>

#include <functional>

namespace glaze {

class ProgramWatch {
public:
    // Runs on this thread whenever the window may have changed; `titleToo`: its title and icons
    // are worth a look as well (they change less often and cost more to read).
    using Look = std::function<void(bool titleToo)>;

    ProgramWatch() = default;
    ~ProgramWatch();
    ProgramWatch(const ProgramWatch&) = delete;
    ProgramWatch& operator=(const ProgramWatch&) = delete;

    // Watches the window with the timer `timerId` of `timerWindow`, whose WM_TIMER comes back to
    // OnTimer.
    void Start(HWND window, HWND timerWindow, UINT_PTR timerId, Look look);
    void Stop();
    void OnTimer();

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                 LONG child, DWORD thread, DWORD time);
    void SetTimerPace();

    HWND window_ = nullptr;
    HWND timerWindow_ = nullptr;
    UINT_PTR timerId_ = 0;
    Look look_;
    HWINEVENTHOOK hook_ = nullptr;
    bool eventsArrive_ = false;
    unsigned ticks_ = 0;
};

} // namespace glaze
