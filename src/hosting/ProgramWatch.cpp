#include "hosting/ProgramWatch.h"

namespace glaze {
namespace {

// Without events: a look every screen refresh or so, its title every few looks, for a while after
// a change; less often while nothing changes.
constexpr UINT QuickLookMs = 15;
constexpr unsigned TitleEveryQuickLooks = 4;
constexpr ULONGLONG QuickForMs = 2000;
constexpr UINT IdleLookMs = 60;
// With events: the timer only looks whether the window is still there.
constexpr UINT SlowLookMs = 250;

// The one watch of the process: window events carry no data of their own.
ProgramWatch* watching = nullptr;

bool IsSizeShowOrTitle(DWORD event) {
    return event == EVENT_OBJECT_SHOW || event == EVENT_OBJECT_HIDE ||
           event == EVENT_OBJECT_LOCATIONCHANGE || event == EVENT_OBJECT_NAMECHANGE;
}

} // namespace

ProgramWatch::~ProgramWatch() {
    Stop();
}

void ProgramWatch::Start(HWND window, HWND timerWindow, UINT_PTR timerId, Look look) {
    Stop();
    window_ = window;
    timerWindow_ = timerWindow;
    timerId_ = timerId;
    look_ = std::move(look);
    eventsArrive_ = false;
    quick_ = true;
    lastChange_ = GetTickCount64();
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &process);
    // Out of context: the events come through this thread's messages, nothing is loaded into
    // the framed program.
    hook_ = SetWinEventHook(EVENT_OBJECT_DESTROY, EVENT_OBJECT_NAMECHANGE, nullptr, &OnEvent,
                            process, thread, WINEVENT_OUTOFCONTEXT);
    watching = this;
    SetTimerPace();
}

void ProgramWatch::Stop() {
    if (hook_ != nullptr) {
        UnhookWinEvent(hook_);
        hook_ = nullptr;
    }
    if (timerWindow_ != nullptr) {
        KillTimer(timerWindow_, timerId_);
        timerWindow_ = nullptr;
    }
    if (watching == this) {
        watching = nullptr;
    }
    look_ = nullptr;
}

void ProgramWatch::SetTimerPace() {
    SetTimer(timerWindow_, timerId_,
             eventsArrive_ ? SlowLookMs : (quick_ ? QuickLookMs : IdleLookMs), nullptr);
}

void ProgramWatch::OnTimer() {
    if (!look_) {
        return;
    }
    ++ticks_;
    const bool changed = look_(eventsArrive_ || !quick_ || ticks_ % TitleEveryQuickLooks == 0);
    const ULONGLONG now = GetTickCount64();
    if (changed) {
        lastChange_ = now;
    }
    const bool quick = now - lastChange_ < QuickForMs;
    if (quick != quick_ && look_) {
        quick_ = quick;
        SetTimerPace();
    }
}

void CALLBACK ProgramWatch::OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                    LONG child, DWORD, DWORD) {
    ProgramWatch* const watch = watching;
    if (watch == nullptr || hook != watch->hook_ || window != watch->window_ ||
        object != OBJID_WINDOW || child != CHILDID_SELF || !watch->look_) {
        return;
    }
    if (!watch->eventsArrive_ && IsSizeShowOrTitle(event)) {
        watch->eventsArrive_ = true;
        watch->SetTimerPace();
    }
    try {
        watch->look_(event == EVENT_OBJECT_NAMECHANGE);
    } catch (...) {
        // The next look starts afresh.
    }
}

} // namespace glaze
