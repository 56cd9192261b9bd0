#include "hosting/WindowKeeper.h"

#include "platform/MessageWait.h"

namespace glaze {

static_assert(std::atomic<bool>::is_always_lock_free, "read from signal handlers");

WindowKeeper::~WindowKeeper() {
    if (thread_) {
        stopping_ = true;
        SetEvent(wake_);
        WaitForSingleObject(thread_, 1000);
    }
}

void WindowKeeper::Start() {
    wake_.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    dying_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    dyingDone_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    desktop_ = GetThreadDesktop(GetCurrentThreadId());
    if (wake_ && dying_ && dyingDone_) {
        thread_.Reset(CreateThread(nullptr, 0, ThreadMain, this, 0, &threadId_));
    }
}

void WindowKeeper::Keep(const CapturedTarget& target, PlaceFunction placeNow) {
    const std::lock_guard lock(lock_);
    target_ = target;
    placeNow_ = std::move(placeNow);
    held_ = true;
}

bool WindowKeeper::TakeIn(HWND content, int width, int height, DWORD limitMs) {
    return Ask({Job::TakeIn, content, width, height, nullptr}, limitMs);
}

void WindowKeeper::GiveBack(bool closeProgram, DWORD limitMs) {
    if (held_) {
        Ask({closeProgram ? Job::GiveBackAndClose : Job::GiveBack, nullptr, 0, 0, nullptr},
            limitMs);
    }
}

void WindowKeeper::GiveBackBeforeDying(DWORD limitMs) noexcept {
    if (!held_) {
        return;
    }
    if (!thread_ || GetCurrentThreadId() == threadId_) {
        // No keeper, or the keeper itself is failing: nobody else is left to give it back.
        try {
            GiveBackOnce(false);
        } catch (...) {
            // The process is going down whatever happens here.
        }
        return;
    }
    SetEvent(dying_);
    // The give-back makes the framed program send this thread's windows messages (their place
    // among the windows, the activation): they are answered while it waits.
    WaitAnsweringSentMessages(dyingDone_, limitMs);
}

bool WindowKeeper::Ask(Request request, DWORD limitMs) {
    if (!thread_) {
        Run(request);
        return true;
    }
    request.Done = std::make_shared<ScopedHandle>(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!*request.Done) {
        return false;
    }
    const std::shared_ptr<ScopedHandle> done = request.Done;
    {
        const std::lock_guard lock(lock_);
        queue_.push_back(std::move(request));
    }
    SetEvent(wake_);
    // The keeper's calls may wait on this thread's windows (the content window is the framed
    // window's parent until it is given back): they go on handling their messages meanwhile.
    return WaitHandlingMessages({done->Get(), thread_.Get()}, limitMs) &&
           WaitForSingleObject(*done, 0) == WAIT_OBJECT_0;
}

DWORD WINAPI WindowKeeper::ThreadMain(void* self) {
    auto& keeper = *static_cast<WindowKeeper*>(self);
    // On the desktop of the thread that made it: a thread started later may be given another one
    // (under Wine, in a process started onto a named desktop), where the framed window, its
    // parent and the desktop it goes back to cannot be reached.
    SetThreadDesktop(keeper.desktop_);
    keeper.Serve();
    return 0;
}

void WindowKeeper::Serve() {
    const HANDLE signals[] = {dying_, wake_};
    while (!stopping_) {
        const DWORD woken = WaitForMultipleObjects(2, signals, FALSE, INFINITE);
        if (woken == WAIT_OBJECT_0) {
            GiveBackOnce(false);
            SetEvent(dyingDone_);
            return;
        }
        if (woken != WAIT_OBJECT_0 + 1) {
            return; // a failed wait would fail again at once; the askers see the thread end
        }
        for (;;) {
            Request request;
            {
                const std::lock_guard lock(lock_);
                if (queue_.empty()) {
                    break;
                }
                request = std::move(queue_.front());
                queue_.pop_front();
            }
            Run(request);
            SetEvent(*request.Done);
        }
    }
}

void WindowKeeper::Run(const Request& request) {
    switch (request.Work) {
    case Job::TakeIn:
        TakeWindowIn(TargetCopy(), request.Content, request.Width, request.Height);
        return;
    case Job::GiveBack:
    case Job::GiveBackAndClose:
        GiveBackOnce(request.Work == Job::GiveBackAndClose);
        return;
    }
}

CapturedTarget WindowKeeper::TargetCopy() {
    const std::lock_guard lock(lock_);
    return target_;
}

void WindowKeeper::GiveBackOnce(bool closeProgram) {
    if (!held_) {
        return;
    }
    CapturedTarget target;
    PlaceFunction placeNow;
    {
        const std::lock_guard lock(lock_);
        target = target_;
        placeNow = placeNow_;
    }
    // Nothing to give back when the window went with its program.
    if (target.StillThere()) {
        GiveWindowBack(target, placeNow(target.Borders), closeProgram);
    }
    // Only once it is back: a process failing on the way still has it to give.
    held_ = false;
}

} // namespace glaze
