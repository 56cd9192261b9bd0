#pragma once
// Portable: what the frame does when the framed program changes its own window. The program may
// resize, move, maximise, restore, hide or show its window, or ask for its whole monitor; the
// frame follows, and never mistakes its own requests, which the program carries out a moment
// later, for the program's.

#include <cstdint>
#include <optional>
#include <vector>

namespace glaze {

struct WindowSize {
    int32_t Width = 0;
    int32_t Height = 0;
    friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

// The framed window as it is now: its own shown and maximised states, and its outer rectangle in
// the content window's client coordinates.
struct FramedWindowFacts {
    bool Shown = true;
    bool Maximised = false;
    int32_t Left = 0;
    int32_t Top = 0;
    WindowSize Size;
    friend bool operator==(const FramedWindowFacts&, const FramedWindowFacts&) = default;
};

// What the frame does about a change. Everything empty: nothing changed that the frame shows.
struct FollowReaction {
    std::optional<bool> Shown;      // hide or show the frame with the window
    std::optional<bool> FullScreen; // give the window its monitor, or take it back in
    std::optional<bool> Maximised;  // maximise or restore the frame
    // The content window takes this size, the frame around it.
    std::optional<WindowSize> ContentSize;
    // The window goes back to the content window's corner and size.
    bool Refill = false;
    friend bool operator==(const FollowReaction&, const FollowReaction&) = default;
};

class ProgramFollower {
public:
    // The window as it was taken in, filling the content window.
    explicit ProgramFollower(const FramedWindowFacts& taken);

    // The frame asked the window to take this size (at the content window's corner). Until the
    // window has it, any size it passes through on the way is the frame's, not the program's.
    void Asked(WindowSize size);
    // The window as it is now, on a monitor of this size: what the frame does.
    FollowReaction Seen(const FramedWindowFacts& now, WindowSize monitor);

    bool FullScreen() const { return fullScreen_; }
    // The window as last seen.
    const FramedWindowFacts& Last() const { return last_; }

private:
    // Whether the size is one the frame asked for and the window has not yet passed.
    bool AskedFor(WindowSize size) const;

    FramedWindowFacts last_;
    // The sizes asked since the window last had the newest one, oldest first; the newest last.
    std::vector<WindowSize> asked_;
    bool fullScreen_ = false;
};

} // namespace glaze
