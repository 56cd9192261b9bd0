#pragma once
// Every change the program makes to the framed window runs on one thread of its own, made at
// start-up, in the order asked: taking the window in, giving it back. Those calls wait for the
// framed program to answer; made here they never freeze the frame, the window is never being
// taken in and given back at the same time, and a process that is failing still has a thread in
// a known state to give the window back: the failing thread only signals it and waits.

#include "hosting/CapturedTarget.h"
#include "platform/Scoped.h"

#include <windows.h>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace glaze {

class WindowKeeper {
public:
    WindowKeeper() = default;
    ~WindowKeeper();
    WindowKeeper(const WindowKeeper&) = delete;
    WindowKeeper& operator=(const WindowKeeper&) = delete;

    // Makes the thread and the events the last resort signals it with. Without them (the system
    // refused) every change is made on the thread that asks for it.
    void Start();

    // Where the window goes back to with these borders, asked on whichever thread gives it back.
    using PlaceFunction = std::function<ScreenRect(const CapturedBorders& borders)>;

    // Records the window with what it had, before the first change to it.
    void Keep(const CapturedTarget& target, PlaceFunction placeNow);
    // From the record until the window is back, or gone with its program.
    bool Holds() const { return held_; }
    // The record, while Holds(); for the thread that kept it, which alone writes it.
    const CapturedTarget& Target() const { return target_; }

    // Takes the kept window into `content`: done, refused by the system (the window is as it
    // was, and no longer held), or not done within the limit: the program stopped answering on
    // the way, and the rest happens when it answers again (a GiveBack asked afterwards runs
    // after it).
    enum class Taken { InContent, Refused, Late };
    Taken TakeIn(HWND content, int width, int height, DWORD limitMs);
    // Gives the kept window back, once, and with closeProgram asks its program to close; waits
    // for it, handling the calling thread's messages, up to the limit. False when the system
    // refused: the window is taken into the content window again, still held, and nothing is
    // asked of its program.
    bool GiveBack(bool closeProgram, DWORD limitMs = INFINITE);
    // For a process that is failing: has the window given back and waits up to the limit. Does
    // only what a signal handler may: it reads a lock-free flag, signals an event and waits,
    // answering what the give-back sends the calling thread's windows.
    void GiveBackBeforeDying(DWORD limitMs) noexcept;

private:
    enum class Job { TakeIn, GiveBack, GiveBackAndClose };
    // Set by the keeper once a request is done; shared: an asker that stops waiting must not
    // close it under the keeper.
    struct Answer {
        ScopedHandle Done;
        std::atomic<bool> Refused{false};
    };
    struct Request {
        Job Work = Job::GiveBack;
        HWND Content = nullptr;
        int Width = 0;
        int Height = 0;
        std::shared_ptr<Answer> Answered;
    };
    enum class Outcome { Done, Refused, Late };

    static DWORD WINAPI ThreadMain(void* self);
    void Serve();
    // Queues the request, and waits for it up to the limit.
    Outcome Ask(Request request, DWORD limitMs);
    // False when the system refused what was asked.
    bool Run(const Request& request);
    CapturedTarget TargetCopy();
    bool GiveBackOnce(bool closeProgram);

    std::mutex lock_; // the queue and the record
    std::deque<Request> queue_;
    CapturedTarget target_;
    HWND content_ = nullptr; // the window it was taken into
    PlaceFunction placeNow_;
    std::atomic<bool> held_{false};
    std::atomic<bool> stopping_{false};
    ScopedHandle thread_;
    DWORD threadId_ = 0;
    HDESK desktop_ = nullptr; // of the thread that started the keeper; not closed
    ScopedHandle wake_;       // a request is queued
    ScopedHandle dying_;      // the last resort asks for the window
    ScopedHandle dyingDone_;  // and hears that it is back
};

} // namespace glaze
