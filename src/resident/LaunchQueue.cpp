#include "resident/LaunchQueue.h"

#include <algorithm>

namespace glaze {

void LaunchQueue::NewWindow(WindowId window) {
    if (!starting_.contains(window)) {
        framed_.erase(window);
        std::erase_if(waiting_, [window](const FrameLaunch& l) { return l.Window == window; });
    }
}

bool LaunchQueue::Add(FrameLaunch launch, bool again) {
    const WindowId window = launch.Window;
    const bool queued = std::any_of(waiting_.begin(), waiting_.end(),
                                    [window](const FrameLaunch& l) { return l.Window == window; });
    if (queued || starting_.contains(window) || (framed_.contains(window) && !again)) {
        return false;
    }
    framed_.insert(window);
    waiting_.push_back(std::move(launch));
    return true;
}

std::vector<FrameLaunch> LaunchQueue::Due() {
    std::vector<FrameLaunch> due;
    while (!waiting_.empty() && starting_.size() < startingAtOnce_) {
        starting_.insert(waiting_.front().Window);
        due.push_back(std::move(waiting_.front()));
        waiting_.pop_front();
    }
    return due;
}

void LaunchQueue::Started(WindowId window) {
    starting_.erase(window);
}

void LaunchQueue::ForgetGone(const std::function<bool(WindowId)>& gone) {
    std::erase_if(framed_, [&](WindowId window) {
        return !starting_.contains(window) && gone(window) &&
               std::none_of(waiting_.begin(), waiting_.end(),
                            [window](const FrameLaunch& l) { return l.Window == window; });
    });
}

void PendingWindows::Add(WindowId window, Time now) {
    // A window looked at again keeps its age.
    if (std::none_of(since_.begin(), since_.end(),
                     [window](const auto& entry) { return entry.first == window; })) {
        since_.emplace_back(window, now);
    }
}

void PendingWindows::Remove(WindowId window) {
    std::erase_if(since_, [window](const auto& entry) { return entry.first == window; });
}

std::vector<WindowId> PendingWindows::Due(Time now) {
    std::erase_if(since_, [now](const auto& entry) { return now - entry.second >= GiveUpAfter; });
    std::vector<WindowId> due;
    for (const auto& entry : since_) {
        due.push_back(entry.first);
    }
    return due;
}

PendingWindows::Time PendingWindows::NextLookIn(Time now) const {
    const bool young = std::any_of(since_.begin(), since_.end(), [now](const auto& entry) {
        return now - entry.second < QuickPhase;
    });
    return young ? QuickLook : SlowLook;
}

} // namespace glaze
