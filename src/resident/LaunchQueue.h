#pragma once
// Portable: the order in which the resident glaze starts frames. A program that opens many
// windows at once must not start a storm of processes: a few frames start at a time, in the
// order their windows were matched, and each window is framed at most once for as long as it
// lives, so a window whose frame the user closed stays unframed until a new window appears.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace glaze {

using WindowId = uint64_t; // the window's handle

struct FrameLaunch {
    WindowId Window = 0;
    std::wstring Title;
    std::wstring Skin;      // a skin directory's name; empty: the skin at StyleIndex
    int32_t StyleIndex = 0; // the place in the skin list, when no name is given
    int32_t CloseProgram = 0;
};

class LaunchQueue {
public:
    explicit LaunchQueue(size_t startingAtOnce = 3) : startingAtOnce_(startingAtOnce) {}

    // A window was created: a handle may be used again by a new window, which is not the one
    // framed before.
    void NewWindow(WindowId window);
    // Queues a frame for the window. False when the window is queued or starting already, or,
    // unless `again` (the user asked for it), when it was framed before.
    bool Add(FrameLaunch launch, bool again = false);
    // The launches to start now, oldest first, as many as free places allow; they count as
    // starting until Started.
    std::vector<FrameLaunch> Due();
    // The window's frame is up, or its start failed: its place is free.
    void Started(WindowId window);
    // Forgets windows that are gone, so the record does not grow without end.
    void ForgetGone(const std::function<bool(WindowId)>& gone);

    bool Waiting() const { return !waiting_.empty(); }
    const std::set<WindowId>& Starting() const { return starting_; }
    bool WasFramed(WindowId window) const { return framed_.contains(window); }

private:
    size_t startingAtOnce_;
    std::deque<FrameLaunch> waiting_;
    std::set<WindowId> starting_;
    std::set<WindowId> framed_; // queued, starting or started since the window appeared
};

// New windows that are not shown or titled yet: under some systems only their creation is
// told, so they are looked at again shortly until they are ready or old enough to give up.
class PendingWindows {
public:
    // Milliseconds of a steady clock.
    using Time = uint64_t;
    // How long a new window is looked at again, and how often: quickly at first, as most windows
    // are shown right after they are made, then seldom.
    static constexpr Time GiveUpAfter = 10000;
    static constexpr Time QuickPhase = 1000;
    static constexpr Time QuickLook = 20;
    static constexpr Time SlowLook = 250;

    // Adds the window unless it is pending already, which keeps its age.
    void Add(WindowId window, Time now);
    void Remove(WindowId window);
    // The windows to look at, after the ones too old are dropped.
    std::vector<WindowId> Due(Time now);
    // Milliseconds until the next look; nothing pending means no look at all.
    bool Empty() const { return since_.empty(); }
    Time NextLookIn(Time now) const;

private:
    std::vector<std::pair<WindowId, Time>> since_;
};

} // namespace glaze
