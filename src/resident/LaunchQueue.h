#pragma once
// Portable: the order in which the resident glaze starts frames. A program that opens many
// windows at once must not start a storm of processes: a few frames start at a time, in the
// order their windows were matched, no more than a set number live at once, and each window is
// framed at most once for as long as it lives, so a window whose frame the user closed stays
// unframed until a new window appears.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
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
    bool OnTop = false;
    int32_t Opacity = 100;
};

class LaunchQueue {
public:
    // startingAtOnce: frames starting at the same time; mostLive: frames started and not ended,
    // and as many windows again may wait for a place.
    explicit LaunchQueue(size_t startingAtOnce = 3, size_t mostLive = 32)
        : startingAtOnce_(startingAtOnce), mostLive_(mostLive) {}
    void SetMostLive(size_t mostLive) { mostLive_ = mostLive; }
    size_t MostLive() const { return mostLive_; }

    // A window was created: a handle may be used again by a new window, which is not the one
    // framed before.
    void NewWindow(WindowId window);

    enum class Added {
        Queued,
        Known, // queued or starting already, or (unless asked again) framed before
        Full,  // no place left, not even to wait: skipped
    };
    // Queues a frame for the window; one the user asked for (`again`) goes first and may frame a
    // window framed before.
    Added Add(FrameLaunch launch, bool again = false);
    // The launches to start now, oldest first, as many as free places allow; they count as
    // starting until Started.
    std::vector<FrameLaunch> Due();
    // The window's frame holds it (and lives until Ended), or its start failed.
    void Started(WindowId window, bool live);
    void Ended(WindowId window);
    // The waiting windows are dropped, unframed: they may be framed later.
    void ClearWaiting();
    // Forgets windows that are gone, so the record does not grow without end.
    void ForgetGone(const std::function<bool(WindowId)>& gone);

    size_t Waiting() const { return waiting_.size(); }
    const std::set<WindowId>& Starting() const { return starting_; }
    const std::set<WindowId>& Live() const { return live_; }
    bool Full() const { return starting_.size() + live_.size() >= mostLive_; }
    bool WasFramed(WindowId window) const { return framed_.contains(window); }

private:
    bool IsWaiting(WindowId window) const;

    size_t startingAtOnce_;
    size_t mostLive_;
    std::deque<FrameLaunch> waiting_;
    std::set<WindowId> starting_;
    std::set<WindowId> live_;
    std::set<WindowId> framed_; // queued, starting or started since the window appeared
};

// What the resident glaze tells the user of windows it did not frame: one note for a burst of
// them, said once none has been added for a moment, never one note each.
class SkipNotes {
public:
    using Time = uint64_t; // milliseconds of a steady clock
    static constexpr Time Quiet = 1500;

    // A window that could not be framed, in the words that tell of it alone.
    void Failed(std::wstring note, Time now);
    // A window skipped as there was no place left.
    void NoPlace(Time now);
    // The note to tell now, once the burst is over: then the notes start again.
    std::optional<std::wstring> Take(Time now, size_t mostLive, size_t waiting);
    bool Pending() const { return failed_ + noPlace_ > 0; }
    // Milliseconds until the note may be told.
    Time DueIn(Time now) const { return now - last_ >= Quiet ? 0 : Quiet - (now - last_); }

private:
    std::wstring firstFailure_;
    size_t failed_ = 0;
    size_t noPlace_ = 0;
    Time last_ = 0;
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
    void Clear() { since_.clear(); }
    // The windows to look at, after the ones too old are dropped.
    std::vector<WindowId> Due(Time now);
    // Milliseconds until the next look; nothing pending means no look at all.
    bool Empty() const { return since_.empty(); }
    Time NextLookIn(Time now) const;

private:
    std::vector<std::pair<WindowId, Time>> since_;
};

} // namespace glaze
