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

WindowKeeper::Taken WindowKeeper::TakeIn(HWND content, int width, int height, DWORD limitMs) {
    switch (Ask({Job::TakeIn, content, width, height, nullptr}, limitMs)) {
    case Outcome::Done:
        return Taken::InContent;
    case Outcome::Refused:
        return Taken::Refused;
    case Outcome::Late:
        break;
    }
    return Taken::Late;
}

bool WindowKeeper::GiveBack(bool closeProgram, DWORD limitMs) {
    return !held_ ||
           Ask({closeProgram ? Job::GiveBackAndClose : Job::GiveBack, nullptr, 0, 0, nullptr},
               limitMs) == Outcome::Done;
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

WindowKeeper::Outcome WindowKeeper::Ask(Request request, DWORD limitMs) {
    if (!thread_) {
        return Run(request) ? Outcome::Done : Outcome::Refused;
    }
    request.Answered = std::make_shared<Answer>();
    request.Answered->Done.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!request.Answered->Done) {
        return Outcome::Late;
    }
    const std::shared_ptr<Answer> answer = request.Answered;
    {
        const std::lock_guard lock(lock_);
        queue_.push_back(std::move(request));
    }
    SetEvent(wake_);
    // The keeper's calls may wait on this thread's windows (the content window is the framed
    // window's parent until it is given back): they go on handling their messages meanwhile.
    if (!WaitHandlingMessages({answer->Done.Get(), thread_.Get()}, limitMs) ||
        WaitForSingleObject(answer->Done, 0) != WAIT_OBJECT_0) {
        return Outcome::Late;
    }
    return answer->Refused ? Outcome::Refused : Outcome::Done;
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
            request.Answered->Refused = !Run(request);
            SetEvent(request.Answered->Done);
        }
    }
}

bool WindowKeeper::Run(const Request& request) {
    switch (request.Work) {
    case Job::TakeIn: {
        const std::lock_guard lock(lock_);
        content_ = request.Content;
    }
        if (!TakeWindowIn(TargetCopy(), request.Content, request.Width, request.Height)) {
            held_ = false; // as it was: there is nothing to give back
            return false;
        }
        return true;
    case Job::GiveBack:
    case Job::GiveBackAndClose:
        return GiveBackOnce(request.Work == Job::GiveBackAndClose);
    }
    return true;
}

CapturedTarget WindowKeeper::TargetCopy() {
    const std::lock_guard lock(lock_);
    return target_;
}

bool WindowKeeper::GiveBackOnce(bool closeProgram) {
    if (!held_) {
        return true;
    }
    CapturedTarget target;
    PlaceFunction placeNow;
    HWND content = nullptr;
    {
        const std::lock_guard lock(lock_);
        target = target_;
        placeNow = placeNow_;
        content = content_;
    }
    // Nothing to give back when the window went with its program.
    if (target.StillThere() && !GiveWindowBack(target, placeNow(target.Borders), closeProgram)) {
        // Refused: it is still the content window's, and is framed again as it was, never lost
        // with the content window.
        RECT client{};
        GetClientRect(content, &client);
        TakeWindowIn(target, content, client.right, client.bottom);
        return false;
    }
    // Only once it is back: a process failing on the way still has it to give.
    held_ = false;
    return true;
}

} // namespace glaze
