#pragma once
// How the frame learns of what the framed program does to its own window: the system's window
// events, where it delivers them for another program's window (Windows does; Wine 8 delivers
// none of showing, hiding, moving, sizing or retitling), and a light look on a timer otherwise.
// Until an event has shown that they arrive, the timer looks within a screen refresh for a while
// after the window last changed (one change tends to bring more: a resize, full screen and back,
// a title that counts down), and a few times less often while nothing changes, where a look
// costs a timer message and a few questions to the system; once an event has arrived it only
// looks now and then. A look that finds nothing changed does nothing.

#include <windows.h>

#include <functional>

namespace glaze {

class ProgramWatch {
public:
    // Runs on this thread whenever the window may have changed; `titleToo`: its title and icons
    // are worth a look as well (they change less often and cost more to read). True when it
    // found something changed.
    using Look = std::function<bool(bool titleToo)>;

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
    bool quick_ = true;
    ULONGLONG lastChange_ = 0;
    unsigned ticks_ = 0;
};

} // namespace glaze
