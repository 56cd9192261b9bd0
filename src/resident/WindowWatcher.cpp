#include "resident/WindowWatcher.h"

#include "platform/TestFaults.h"
#include "platform/TopLevelWindows.h"
#include "resident/FrameStarter.h"

#include <algorithm>

namespace glaze {
namespace {

// Without window events, the list of windows is read this often.
constexpr ULONGLONG SweepMilliseconds = 1000;

// Window events come to the thread that asked for them, with nothing to say for whom: each
// thread has at most one watcher, found here.
thread_local WindowWatcher* watcherOfThisThread = nullptr;

bool IsTopLevel(HWND window) {
    return GetAncestor(window, GA_PARENT) == GetDesktopWindow();
}

std::set<WindowId> TopLevelWindowIds() {
    std::set<WindowId> ids;
    for (const HWND window : TopLevelWindows()) {
        ids.insert(IdOf(window));
    }
    return ids;
}

} // namespace

WindowWatcher::WindowWatcher(std::function<bool(HWND)> look, std::function<void(HWND)> created,
                             std::function<void()> changed)
    : look_(std::move(look)), created_(std::move(created)), changed_(std::move(changed)) {
    watcherOfThisThread = this;
}

WindowWatcher::~WindowWatcher() {
    hook_.Reset();
    watcherOfThisThread = nullptr;
}

void CALLBACK WindowWatcher::OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                                        LONG child, DWORD, DWORD) {
    if (watcherOfThisThread == nullptr || window == nullptr || object != OBJID_WINDOW ||
        child != CHILDID_SELF) {
        return;
    }
    try {
        watcherOfThisThread->OnEvent(event, window);
    } catch (...) {
        // nothing escapes into the platform
    }
}

void WindowWatcher::Watch(bool on) {
    sweeping_ = false;
    hook_.Reset();
    pending_.Clear();
    if (!on) {
        return;
    }
    if (!TestFaults::NoWindowEvents()) {
        hook_.Reset(SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, nullptr, OnWinEvent, 0,
                                    0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
    }
    if (!hook_) {
        // No events to be had: the list of windows is read now and then instead. The windows
        // there already are not new.
        swept_ = TopLevelWindowIds();
        lastSweep_ = GetTickCount64();
        sweeping_ = true;
    }
}

void WindowWatcher::OnEvent(DWORD event, HWND window) {
    if (event == EVENT_OBJECT_DESTROY) {
        pending_.Remove(IdOf(window));
        return;
    }
    if (!IsTopLevel(window)) {
        return;
    }
    if (event == EVENT_OBJECT_CREATE) {
        created_(window);
    }
    LookAt(window);
    changed_();
}

void WindowWatcher::LookAt(HWND window) {
    if (IsWindow(window) && look_(window)) {
        pending_.Add(IdOf(window), GetTickCount64());
    } else {
        pending_.Remove(IdOf(window));
    }
}

void WindowWatcher::LookAtEveryWindow() {
    // A window there already that is not ready is left for its showing: only new windows are
    // looked at again and again.
    for (const HWND window : TopLevelWindows()) {
        look_(window);
    }
}

void WindowWatcher::Tick() {
    for (const WindowId id : pending_.Due(GetTickCount64())) {
        LookAt(WindowOf(id));
    }
    // A timer that is always due first keeps the platform from ever raising a later one (Wine
    // does so): the sweeps run on the same timer as the looks.
    if (sweeping_ && GetTickCount64() - lastSweep_ >= SweepMilliseconds) {
        Sweep();
    }
}

void WindowWatcher::Sweep() {
    lastSweep_ = GetTickCount64();
    std::set<WindowId> now = TopLevelWindowIds();
    // A window that left the list may be in a frame and come back from it, still itself; only
    // a handle that names no window any more may name a new one later.
    for (const WindowId id : swept_) {
        if (!now.contains(id) && !IsWindow(WindowOf(id))) {
            created_(WindowOf(id));
        }
    }
    for (const WindowId id : now) {
        if (!swept_.contains(id)) {
            LookAt(WindowOf(id));
        }
    }
    swept_ = std::move(now);
}

std::optional<UINT> WindowWatcher::NextTickIn() const {
    std::optional<UINT> next;
    const ULONGLONG now = GetTickCount64();
    if (!pending_.Empty()) {
        next = static_cast<UINT>(pending_.NextLookIn(now));
    }
    if (sweeping_) {
        const ULONGLONG since = now - lastSweep_;
        const auto sweep =
            static_cast<UINT>(since >= SweepMilliseconds ? 0 : SweepMilliseconds - since);
        next = std::min(next.value_or(sweep), sweep);
    }
    return next;
}

} // namespace glaze
