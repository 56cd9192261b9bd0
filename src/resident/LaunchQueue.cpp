#include "resident/LaunchQueue.h"

#include <algorithm>

namespace glaze {

bool LaunchQueue::IsWaiting(WindowId window) const {
    return std::any_of(waiting_.begin(), waiting_.end(),
                       [window](const FrameLaunch& l) { return l.Window == window; });
}

void LaunchQueue::NewWindow(WindowId window) {
    if (!starting_.contains(window) && !live_.contains(window)) {
        framed_.erase(window);
        std::erase_if(waiting_, [window](const FrameLaunch& l) { return l.Window == window; });
    }
}

LaunchQueue::Added LaunchQueue::Add(FrameLaunch launch, bool again) {
    const WindowId window = launch.Window;
    if (IsWaiting(window) || starting_.contains(window) || (framed_.contains(window) && !again)) {
        return Added::Known;
    }
    if (waiting_.size() >= mostLive_) {
        return Added::Full;
    }
    framed_.insert(window);
    if (again) {
        waiting_.push_front(std::move(launch));
    } else {
        waiting_.push_back(std::move(launch));
    }
    return Added::Queued;
}

std::vector<FrameLaunch> LaunchQueue::Due() {
    std::vector<FrameLaunch> due;
    while (!waiting_.empty() && starting_.size() < startingAtOnce_ && !Full()) {
        starting_.insert(waiting_.front().Window);
        due.push_back(std::move(waiting_.front()));
        waiting_.pop_front();
    }
    return due;
}

void LaunchQueue::Started(WindowId window, bool live) {
    if (starting_.erase(window) > 0 && live) {
        live_.insert(window);
    }
}

void LaunchQueue::Ended(WindowId window) {
    live_.erase(window);
}

void LaunchQueue::ClearWaiting() {
    for (const FrameLaunch& launch : waiting_) {
        framed_.erase(launch.Window);
    }
    waiting_.clear();
}

void LaunchQueue::ForgetGone(const std::function<bool(WindowId)>& gone) {
    std::erase_if(framed_, [&](WindowId window) {
        return !starting_.contains(window) && !live_.contains(window) && !IsWaiting(window) &&
               gone(window);
    });
}

void SkipNotes::Failed(std::wstring note, Time now) {
    if (failed_++ == 0) {
        firstFailure_ = std::move(note);
    }
    last_ = now;
}

void SkipNotes::NoPlace(Time now) {
    ++noPlace_;
    last_ = now;
}

std::optional<std::wstring> SkipNotes::Take(Time now, size_t mostLive, size_t waiting) {
    if (!Pending() || DueIn(now) > 0) {
        return std::nullopt;
    }
    std::wstring note;
    if (failed_ > 0) {
        note = firstFailure_;
        if (failed_ > 1) {
            note += L"另有 " + std::to_wstring(failed_ - 1) + L" 个窗口也未能加框。";
        }
    }
    if (noPlace_ > 0) {
        note += L"同时运行的框架已达上限（" + std::to_wstring(mostLive) + L" 个），" +
                std::to_wstring(noPlace_) + L" 个窗口未加框";
        note += waiting > 0 ? L"，" + std::to_wstring(waiting) + L" 个在等候。" : L"。";
    }
    *this = SkipNotes();
    return note;
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
