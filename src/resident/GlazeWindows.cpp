#include "resident/GlazeWindows.h"

#include "panel/ControlIds.h"
#include "platform/AnsiText.h"
#include "platform/Captions.h"
#include "platform/SysCommand.h"
#include "platform/TopLevelWindows.h"

#include <algorithm>
#include <array>

namespace glaze {
namespace {

// A frame that does not answer within this is listed without its skin.
constexpr UINT AnswerWithin = 200;

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

// The top-level window the window lies in: a framed program's window lies on its frame's content
// window without being a child window.
HWND OutermostWindowOf(HWND window) {
    const HWND desktop = GetDesktopWindow();
    for (HWND parent = GetAncestor(window, GA_PARENT); parent != nullptr && parent != desktop;
         parent = GetAncestor(window, GA_PARENT)) {
        window = parent;
    }
    return window;
}

// The window of the process with a title that `fits`.
template <typename Fits>
HWND WindowOfProcess(const std::vector<HWND>& windows, DWORD process, Fits fits) {
    for (const HWND window : windows) {
        if (ProcessOf(window) == process && fits(WindowTitle(window))) {
            return window;
        }
    }
    return nullptr;
}

// The skin the frame shows: the choice in its content window's skin list, which every frame
// keeps as the panel does.
std::wstring SkinOf(HWND content) {
    const HWND pane = GetDlgItem(content, ControlsPaneId);
    const HWND skins = pane != nullptr ? GetDlgItem(pane, SkinListId) : nullptr;
    DWORD_PTR answer = 0;
    if (skins == nullptr ||
        !SendMessageTimeoutW(skins, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, AnswerWithin, &answer) ||
        static_cast<LRESULT>(answer) < 0) {
        return {};
    }
    const WPARAM chosen = answer;
    std::array<wchar_t, MAX_PATH> name{};
    if (!SendMessageTimeoutW(skins, CB_GETLBTEXTLEN, chosen, 0, SMTO_ABORTIFHUNG, AnswerWithin,
                             &answer) ||
        answer >= name.size() ||
        !SendMessageTimeoutW(skins, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(name.data()),
                             SMTO_ABORTIFHUNG, AnswerWithin, &answer)) {
        return {};
    }
    return std::wstring(name.data(), answer < name.size() ? answer : 0);
}

// The frame windows among the windows, shown or not: a frame still starting takes its window
// all the same.
template <typename Visit> void ForEachFrame(const std::vector<HWND>& windows, Visit visit) {
    for (const HWND window : windows) {
        const std::wstring caption = WindowTitle(window);
        if (caption.ends_with(FrameCaptionSuffix)) {
            visit(window, caption);
        }
    }
}

} // namespace

HWND FrameAround(HWND window) {
    const HWND outermost = OutermostWindowOf(window);
    if (!EndsWithTitleMarker(WindowTitle(outermost))) {
        return nullptr;
    }
    return WindowOfProcess(TopLevelWindows(), ProcessOf(outermost), [](const std::wstring& title) {
        return title.ends_with(FrameCaptionSuffix);
    });
}

std::vector<RunningFrame> RunningFrames() {
    // A list taken at once: frames restack themselves while they are walked.
    const std::vector<HWND> windows = TopLevelWindows();
    std::vector<RunningFrame> frames;
    ForEachFrame(windows, [&](HWND window, const std::wstring& caption) {
        RunningFrame frame{
            window, caption.substr(0, caption.size() - FrameCaptionSuffix.size()), {}};
        const HWND content =
            WindowOfProcess(windows, ProcessOf(window),
                            [](const std::wstring& title) { return title == TitleMarker; });
        if (content != nullptr) {
            frame.Skin = SkinOf(content);
        }
        frames.push_back(std::move(frame));
    });
    return frames;
}

void GiveBackAll::Begin() {
    told_.clear();
    active_ = true;
    Continue(true);
}

bool GiveBackAll::Continue(bool framesStarting) {
    bool waiting = false;
    ForEachFrame(TopLevelWindows(), [&](HWND frame, const std::wstring&) {
        if (std::find(told_.begin(), told_.end(), frame) != told_.end()) {
            return;
        }
        // A frame not shown yet has not taken its menu commands: it would not hear it.
        if (IsWindowVisible(frame)) {
            PostMessageW(frame, WM_SYSCOMMAND, SysCommand::GiveBack, 0);
            told_.push_back(frame);
        } else {
            waiting = true;
        }
    });
    active_ = waiting || framesStarting;
    if (!active_) {
        told_.clear();
    }
    return active_;
}

} // namespace glaze
