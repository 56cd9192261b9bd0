#pragma once
// The resident glaze's frame processes from the moment a window is matched until the frame
// ends: queued in order, started a few at a time with the skin looked up by its name, watched
// until the window lies in the frame, then counted as living until the process ends, so that
// no more than a set number live at once. Whether a living frame has ended is asked when a place
// is wanted: at the next window, and now and then while windows wait for a place. Windows it
// could not frame are told of in one note.

#include "platform/Scoped.h"
#include "resident/LaunchQueue.h"

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace glaze {

// A window as the launch queue knows it, and back.
inline WindowId IdOf(HWND window) {
    return reinterpret_cast<uintptr_t>(window);
}
inline HWND WindowOf(WindowId id) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(id));
}

class FrameStarter {
public:
    // skinList: a sorted combo box to look skin names up in. say: tells the user a note.
    FrameStarter(HWND skinList, std::function<void(const std::wstring&)> say);
    FrameStarter(const FrameStarter&) = delete;
    FrameStarter& operator=(const FrameStarter&) = delete;

    void SetMostLive(size_t mostLive) { queue_.SetMostLive(mostLive); }
    // A window was created; see LaunchQueue::NewWindow.
    void NewWindow(WindowId window) { queue_.NewWindow(window); }
    bool WasFramed(WindowId window) const { return queue_.WasFramed(window); }
    // Whether as many frames live as may.
    bool Full();
    // Queues a frame (see LaunchQueue::Add) and starts what may start; a window with no place
    // left is noted for the next note.
    void Add(FrameLaunch launch, bool again = false);
    // Looks at the starting and the living frames, frees the places of those done, starts the
    // next, and tells the note once it is due.
    void Check();
    // Paused, or every window given back: the windows waiting for a place are dropped.
    void ClearWaiting() { queue_.ClearWaiting(); }
    bool Starting() const { return !starting_.empty(); }
    // When Check wants to run again: while frames start or wait for a place, or a note waits to
    // be told.
    std::optional<UINT> NextCheckIn() const;

private:
    struct StartingFrame {
        ScopedHandle Process;
        std::wstring Title;
        ULONGLONG Since = 0;
    };
    // Frees the places of the living frames that have ended; true when one has.
    bool ForgetEnded();
    void StartDue();

    HWND skinList_;
    std::function<void(const std::wstring&)> say_;
    LaunchQueue queue_;
    SkipNotes notes_;
    std::map<WindowId, StartingFrame> starting_;
    std::map<WindowId, ScopedHandle> live_; // their processes
};

} // namespace glaze
