#pragma once
// The resident glaze's frame processes from the moment a window is matched until its frame holds
// it: queued in order, started a few at a time with the skin looked up by its name, watched until
// the window lies in the frame or the frame has ended without it.

#include "platform/Scoped.h"
#include "resident/LaunchQueue.h"

#include <windows.h>

#include <functional>
#include <map>
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
    // skinList: a sorted combo box to look skin names up in. say: tells the user of a window
    // that was skipped.
    FrameStarter(HWND skinList, std::function<void(const std::wstring&)> say);

    // A window was created; see LaunchQueue::NewWindow.
    void NewWindow(WindowId window) { queue_.NewWindow(window); }
    bool WasFramed(WindowId window) const { return queue_.WasFramed(window); }
    // Queues a frame (see LaunchQueue::Add) and starts what may start.
    void Add(FrameLaunch launch, bool again = false);
    // Looks at the starting frames, frees the places of those done, and starts the next.
    void Check();
    // Whether frames are starting: they want looking at now and then.
    bool Busy() const { return !starting_.empty(); }

private:
    struct StartingFrame {
        ScopedHandle Process;
        std::wstring Title;
        ULONGLONG Since = 0;
    };

    void StartDue();

    HWND skinList_;
    std::function<void(const std::wstring&)> say_;
    LaunchQueue queue_;
    std::map<WindowId, StartingFrame> starting_;
};

} // namespace glaze
