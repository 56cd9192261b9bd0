#include "resident/FrameStarter.h"

#include "panel/FrameProcess.h"
#include "panel/SkinList.h"
#include "settings/RunSettings.h"

namespace glaze {
namespace {

// How long a frame may take to hold its window before its place goes to the next.
constexpr ULONGLONG StartGiveUp = 15000;

} // namespace

FrameStarter::FrameStarter(HWND skinList, std::function<void(const std::wstring&)> say)
    : skinList_(skinList), say_(std::move(say)) {}

void FrameStarter::Add(FrameLaunch launch, bool again) {
    if (queue_.Add(std::move(launch), again)) {
        StartDue();
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
                say_(L"没有名为“" + launch.Skin + L"”的皮肤，“" + launch.Title + L"”未加框。");
                queue_.Started(launch.Window);
                continue;
            }
            styleIndex = *index;
        }
        ScopedHandle process = IsWindow(window) ? StartFrameProcess(launch.Title, styleIndex,
                                                                    launch.CloseProgram, window)
                                                : ScopedHandle();
        if (!process) {
            if (IsWindow(window)) {
                say_(L"无法为“" + launch.Title + L"”加框，已跳过。");
            }
            queue_.Started(launch.Window);
            continue;
        }
        starting_[launch.Window] = {std::move(process), launch.Title, GetTickCount64()};
    }
}

void FrameStarter::Check() {
    const ULONGLONG now = GetTickCount64();
    bool freed = false;
    for (auto it = starting_.begin(); it != starting_.end();) {
        const HWND window = WindowOf(it->first);
        const bool taken = IsWindow(window) && GetAncestor(window, GA_PARENT) != GetDesktopWindow();
        const bool ended = WaitForSingleObject(it->second.Process, 0) == WAIT_OBJECT_0;
        if (!taken && !ended && now - it->second.Since < StartGiveUp) {
            ++it;
            continue;
        }
        if (!taken && ended) {
            // The frame ended without taking the window: another user's or an elevated
            // program's window, or one that closed at once. It is not tried again.
            say_(L"无法为“" + it->second.Title + L"”加框，已跳过。");
        }
        queue_.Started(it->first);
        it = starting_.erase(it);
        freed = true;
    }
    if (freed) {
        queue_.ForgetGone([](WindowId id) { return !IsWindow(WindowOf(id)); });
        StartDue();
    }
}

} // namespace glaze
