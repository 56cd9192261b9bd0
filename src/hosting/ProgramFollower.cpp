#include "hosting/ProgramFollower.h"

#include <algorithm>

namespace glaze {
namespace {

// A program that does not answer while the frame is sized keeps every size on its way; the
// oldest ones no longer matter once this many newer ones were asked.
constexpr size_t AskedKept = 64;

bool Covers(WindowSize window, WindowSize monitor) {
    return monitor.Width > 0 && monitor.Height > 0 && window.Width >= monitor.Width &&
           window.Height >= monitor.Height;
}

} // namespace

ProgramFollower::ProgramFollower(const FramedWindowFacts& taken)
    : last_(taken), asked_{taken.Size} {}

void ProgramFollower::Asked(WindowSize size) {
    if (!asked_.empty() && asked_.back() == size) {
        return;
    }
    if (asked_.size() == AskedKept) {
        asked_.erase(asked_.begin());
    }
    asked_.push_back(size);
}

bool ProgramFollower::AskedFor(WindowSize size) const {
    return std::find(asked_.begin(), asked_.end(), size) != asked_.end();
}

FollowReaction ProgramFollower::Seen(const FramedWindowFacts& now, WindowSize monitor) {
    FollowReaction reaction;
    if (!asked_.empty() && now.Size == asked_.back()) {
        asked_.erase(asked_.begin(), asked_.end() - 1); // it has caught up with the frame
    }
    if (now == last_) {
        return reaction;
    }
    const FramedWindowFacts before = last_;
    last_ = now;
    if (now.Shown != before.Shown) {
        reaction.Shown = now.Shown;
    }
    const bool ownSize = now.Size != before.Size && !AskedFor(now.Size);
    if (ownSize) {
        asked_.clear(); // what the frame asked before, the program has overruled
    }
    const bool displaced = now.Left != 0 || now.Top != 0;
    if (fullScreen_) {
        // Every size that still covers the monitor is its full screen; any other ends it, and
        // the window goes back into the frame as it was before.
        if (!Covers(now.Size, monitor)) {
            asked_.clear();
            fullScreen_ = false;
            reaction.FullScreen = false;
            reaction.Refill = true;
        } else {
            reaction.Refill = displaced;
        }
        return reaction;
    }
    if (ownSize && !now.Maximised && Covers(now.Size, monitor)) {
        fullScreen_ = true;
        reaction.FullScreen = true;
        reaction.Refill = true;
        return reaction;
    }
    if (now.Maximised != before.Maximised) {
        reaction.Maximised = now.Maximised;
    }
    // A window maximised by its program takes whatever the system gives it inside the content
    // window; the frame maximises instead, and the window fills what the frame then holds.
    if (ownSize && !now.Maximised) {
        reaction.ContentSize = now.Size;
    }
    reaction.Refill = displaced || (ownSize && now.Maximised);
    return reaction;
}

} // namespace glaze
