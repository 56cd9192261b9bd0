#include "hosting/ModMoveFrm.h"

#include "hosting/ModProc.h"
#include "lifecycle/ProcessValues.h"
#include "platform/Forms.h"

#include <algorithm>
#include <iterator>

namespace glaze::ModMoveFrm {
namespace {

// The follower whose MoveWindow is under way. Its own move and size messages come back through
// the hook while that move runs; placing it again from there would at best repeat the move, and
// against a platform that adjusts the rectangle it could go on forever.
HWND placing = nullptr;
// Set while the followers are put back above the frame: that restacking moves the frame too.
bool restacking = false;

HWND FrameWindow() {
    return Process.FollowMain != nullptr ? Process.FollowMain->Hwnd() : nullptr;
}

// Each time the framed program's window comes to the front, the frame comes up with it, once.
// The round trip through the topmost band lifts it above every ordinary window without leaving
// it topmost.
void RaiseFrameWithTarget() {
    const HWND frame = FrameWindow();
    if (Process.TargetWindow == nullptr || frame == nullptr) {
        return;
    }
    if (GetForegroundWindow() != Process.TargetWindow) {
        Process.FrameRaised = false;
        return;
    }
    if (Process.FrameRaised) {
        return;
    }
    Process.FrameRaised = true; // first: both moves come back through this procedure
    // Raised without being activated: the framed program keeps the keyboard. The followers come
    // up once the frame is back among the ordinary windows: placed next to it while it passes
    // through the topmost band, they would stay there.
    constexpr UINT keepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    restacking = true;
    SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, keepPlace);
    SetWindowPos(frame, HWND_NOTOPMOST, 0, 0, 0, 0, keepPlace);
    restacking = false;
    KeepFollowersAbove();
}

void FollowMove(HWND window) {
    const HWND frame = FrameWindow();
    if (frame == nullptr) {
        return;
    }
    if (window == frame) {
        // Placing a follower may register another one: the size is read on every round.
        for (size_t i = 0; i < Process.FollowerWindows.size(); ++i) {
            if (Process.FollowerPlaced.at(i) && IsWindow(Process.FollowerWindows[i])) {
                PlaceFollower(i);
            }
        }
        return;
    }
    auto& followers = Process.FollowerWindows;
    const auto found = std::find(followers.begin(), followers.end(), window);
    const auto index = static_cast<size_t>(std::distance(followers.begin(), found));
    if (found == followers.end()) {
        followers.push_back(window);
        Process.FollowerPlaced.push_back(false);
    }
    PlaceFollower(index);
}

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// The first shown window above this one in the window order; hidden windows lie anywhere.
HWND ShownWindowAbove(HWND window) {
    for (HWND above = GetWindow(window, GW_HWNDPREV); above != nullptr;
         above = GetWindow(above, GW_HWNDPREV)) {
        if (IsWindowVisible(above)) {
            return above;
        }
    }
    return nullptr;
}

// Whether no shown window of the frame's band (topmost or not) lies above it, but the follower.
bool LeadsItsBand(HWND frame, HWND follower) {
    HWND above = ShownWindowAbove(frame);
    if (above == follower) {
        above = ShownWindowAbove(follower);
    }
    return above == nullptr || IsTopmost(above) != IsTopmost(frame);
}

bool ChangesZOrder(UINT message, LPARAM lParam) {
    return message == WM_WINDOWPOSCHANGED && lParam != 0 &&
           (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOZORDER) == 0;
}

bool IsOwnHook(WNDPROC procedure) {
    return procedure == &MoveFollowProc || procedure == &ModProc::FrameLimitsProc;
}

} // namespace

void InstallMoveHook(Form& form, bool isMain) {
    const HWND window = form.Hwnd();
    if (window == nullptr) {
        return;
    }
    if (isMain) {
        Process.FollowMain = &form;
    }
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    // Hooked already: saving our own procedure as the form's would make it call itself forever.
    if (IsOwnHook(current)) {
        return;
    }
    Process.SavedFormProc = current;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MoveFollowProc));
}

void RemoveMoveHook(Form& form) {
    if (Process.SavedFormProc == nullptr || form.Hwnd() == nullptr) {
        return;
    }
    SetWindowLongPtrA(form.Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Process.SavedFormProc));
}

void KeepFollowersAbove() {
    const HWND frame = FrameWindow();
    if (frame == nullptr || restacking) {
        return;
    }
    restacking = true;
    constexpr UINT keepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    for (const HWND follower : Process.FollowerWindows) {
        if (ShownWindowAbove(frame) == follower || !IsWindowVisible(follower)) {
            continue;
        }
        if (LeadsItsBand(frame, follower)) {
            // The usual case, the frame just came up: the follower goes to the top. Wine's
            // display follows only such a rise to the top, not a place between two windows.
            SetWindowPos(follower, HWND_TOP, 0, 0, 0, 0, keepPlace);
        } else {
            // The follower just below the frame, then the frame just below the follower: the
            // pair keeps the frame's place among the other windows, the follower on top.
            SetWindowPos(follower, frame, 0, 0, 0, 0, keepPlace);
            SetWindowPos(frame, follower, 0, 0, 0, 0, keepPlace);
        }
    }
    restacking = false;
}

void PlaceFollower(size_t index) {
    Process.FollowerPlaced.at(index) = true;
    const HWND follower = Process.FollowerWindows.at(index);
    RECT frame{};
    if (!Process.SkinReady || follower == placing || !GetWindowRect(FrameWindow(), &frame)) {
        return;
    }
    const HWND outer = placing;
    placing = follower;
    MoveWindow(follower, frame.left + Process.MarginLeft, frame.top + Process.MarginTop,
               frame.right - frame.left - Process.MarginH,
               frame.bottom - frame.top - Process.MarginV, TRUE);
    placing = outer;
}

LRESULT CALLBACK MoveFollowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == nullptr) {
        return 0;
    }
    try {
        RaiseFrameWithTarget();
        if (window == FrameWindow() && ChangesZOrder(message, lParam)) {
            KeepFollowersAbove();
        }
        if (message == WM_MOVE || message == WM_SIZE) {
            // Until the frame is hooked there is nothing to follow, and the content window's
            // own layout waits for its first placement.
            if (Process.FollowMain == nullptr) {
                return 0;
            }
            FollowMove(window);
        }
        if (Process.SavedFormProc == nullptr) { // the process values were reset under the hook
            return DefWindowProcA(window, message, wParam, lParam);
        }
        return CallWindowProcA(Process.SavedFormProc, window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

} // namespace glaze::ModMoveFrm
