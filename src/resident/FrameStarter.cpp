#include "resident/FrameStarter.h"

#include "panel/FrameProcess.h"
#include "panel/SkinList.h"
#include "settings/RunSettings.h"

namespace glaze {
namespace {

// How long a frame may take to hold its window before its place goes to the next.
constexpr ULONGLONG StartGiveUp = 15000;
// How often the starting frames are looked at, and the living ones while windows wait for a
// place.
constexpr UINT StartingLook = 50;
constexpr UINT WaitingLook = 500;

// A title as a note names it: long ones are cut.
std::wstring Named(const std::wstring& title) {
    constexpr size_t Longest = 40;
    return L"“" + (title.size() > Longest ? title.substr(0, Longest) + L"…" : title) + L"”";
}

bool LiesInAFrame(HWND window) {
    return IsWindow(window) && GetAncestor(window, GA_PARENT) != GetDesktopWindow();
}

} // namespace

FrameStarter::FrameStarter(HWND skinList, std::function<void(const std::wstring&)> say)
    : skinList_(skinList), say_(std::move(say)) {}

bool FrameStarter::ForgetEnded() {
    const size_t before = live_.size();
    std::erase_if(live_, [this](const auto& frame) {
        const bool ended = WaitForSingleObject(frame.second, 0) == WAIT_OBJECT_0;
        if (ended) {
            queue_.Ended(frame.first);
        }
        return ended;
    });
    return live_.size() != before;
}

bool FrameStarter::Full() {
    ForgetEnded();
    return queue_.Full();
}

void FrameStarter::Add(FrameLaunch launch, bool again) {
    ForgetEnded();
    switch (queue_.Add(std::move(launch), again)) {
    case LaunchQueue::Added::Queued:
        StartDue();
        return;
    case LaunchQueue::Added::Full:
        notes_.NoPlace(GetTickCount64());
        return;
    case LaunchQueue::Added::Known:
        return;
    }
}

void FrameStarter::StartDue() {
    bool skinsRead = false;
    for (FrameLaunch& launch : queue_.Due()) {
        const HWND window = WindowOf(launch.Window);
        int32_t styleIndex = launch.StyleIndex;
        if (!launch.Skin.empty()) {
            // Looked up by name now: letters move when skins are added.
            if (!skinsRead) {
                FillSkinList(skinList_, TheRun().AppDir);
                skinsRead = true;
            }
            const auto index = SkinListIndexOf(skinList_, launch.Skin);
            if (!index) {
                notes_.Failed(L"没有名为“" + launch.Skin + L"”的皮肤，" + Named(launch.Title) +
                                  L"未加框。",
                              GetTickCount64());
                queue_.Started(launch.Window, false);
                continue;
            }
            styleIndex = *index;
        }
        // The exact window goes along, with the thread that made it: the frame takes that
        // window whatever its title has become meanwhile.
        const DWORD thread = GetWindowThreadProcessId(window, nullptr);
        ScopedHandle process =
            thread != 0 ? StartFrameProcess(
                              launch.Title, styleIndex, launch.CloseProgram,
                              FrameExtras{launch.Window, thread, launch.OnTop, launch.Opacity})
                        : ScopedHandle();
        if (!process) {
            if (IsWindow(window)) {
                notes_.Failed(L"无法为" + Named(launch.Title) + L"加框，已跳过。",
                              GetTickCount64());
            }
            queue_.Started(launch.Window, false);
            continue;
        }
        starting_[launch.Window] = {std::move(process), launch.Title, GetTickCount64()};
    }
}

void FrameStarter::Check() {
    const ULONGLONG now = GetTickCount64();
    bool freed = ForgetEnded();
    for (auto it = starting_.begin(); it != starting_.end();) {
        const bool taken = LiesInAFrame(WindowOf(it->first));
        const bool ended = WaitForSingleObject(it->second.Process, 0) == WAIT_OBJECT_0;
        if (!taken && !ended && now - it->second.Since < StartGiveUp) {
            ++it;
            continue;
        }
        if (!taken && ended) {
            // The frame ended without taking the window: another user's or an elevated
            // program's window, or one that closed at once. It is not tried again.
            notes_.Failed(L"无法为" + Named(it->second.Title) + L"加框，已跳过。", now);
        }
        // A frame still running counts until it ends, whether it took its window or not yet.
        queue_.Started(it->first, !ended);
        if (!ended) {
            live_[it->first] = std::move(it->second.Process);
        }
        it = starting_.erase(it);
        freed = true;
    }
    if (freed) {
        queue_.ForgetGone([](WindowId id) { return !IsWindow(WindowOf(id)); });
        StartDue();
    }
    if (const auto note = notes_.Take(now, queue_.MostLive(), queue_.Waiting())) {
        say_(*note);
    }
}

std::optional<UINT> FrameStarter::NextCheckIn() const {
    if (!starting_.empty()) {
        return StartingLook;
    }
    if (queue_.Waiting() > 0) {
        return WaitingLook;
    }
    if (notes_.Pending()) {
        return static_cast<UINT>(notes_.DueIn(GetTickCount64()));
    }
    return std::nullopt;
}

} // namespace glaze
