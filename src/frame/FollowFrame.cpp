#include "frame/FollowFrame.h"

#include "frame/FrameLimits.h"
#include "frame/LoadedSkin.h"
#include "platform/Forms.h"

#include <algorithm>
#include <iterator>

namespace glaze::FollowFrame {
namespace {

// The follower whose MoveWindow is under way. Its own move and size messages come back through
// the hook while that move runs; placing it again from there would at best repeat the move, and
// against a platform that adjusts the rectangle it could go on forever.
HWND placing = nullptr;
// Set while the followers are put back above the frame: that restacking moves the frame too.
bool restacking = false;

HWND FrameWindow() {
    return Values().Main != nullptr ? Values().Main->Hwnd() : nullptr;
}

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Each time the framed program's window comes to the front, the frame comes up with it, once.
// The round trip through the topmost band lifts it above every ordinary window without leaving
// it topmost.
void RaiseFrameWithTarget() {
    const HWND frame = FrameWindow();
    if (Values().FramedWindow == nullptr || frame == nullptr) {
        return;
    }
    if (GetForegroundWindow() != Values().FramedWindow) {
        Values().FrameRaised = false;
        return;
    }
    if (Values().FrameRaised) {
        return;
    }
    Values().FrameRaised = true; // first: both moves come back through this procedure
    // Raised without being activated: the framed program keeps the keyboard. The followers come
    // up once the frame is back among the ordinary windows: placed next to it while it passes
    // through the topmost band, they would stay there.
    // A frame the user put on top is already in the topmost band and must stay there.
    constexpr UINT keepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    const bool onTop = IsTopmost(frame);
    restacking = true;
    SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, keepPlace);
    if (!onTop) {
        SetWindowPos(frame, HWND_NOTOPMOST, 0, 0, 0, 0, keepPlace);
    }
    restacking = false;
    KeepFollowersAbove();
}

// Asks the frame, once the current message is done, to hand the keyboard to the framed window.
constexpr UINT HandKeyboardOver = WM_APP + 1;
// How long the framed program may take to show that it answers before it is made active.
constexpr UINT AnswerLimitMs = 200;

bool InMoveOrSizeLoop() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & GUI_INMOVESIZE) != 0;
}

// The frame and the content window never keep the keyboard while a window is framed: whatever
// made them active (a click on the frame, the taskbar, Alt+Tab, a restore), the framed program's
// window becomes the active window, and the program puts the focus where it had it.
void HandKeyboardToFramedWindow() {
    const HWND foreground = GetForegroundWindow();
    const auto& followers = Values().Followers;
    // Only while one of the two is in front: a message box of the frame keeps the keyboard.
    const bool oursInFront = foreground != nullptr && (foreground == FrameWindow() ||
                                                       std::find(followers.begin(), followers.end(),
                                                                 foreground) != followers.end());
    const HWND framed = Values().FramedWindow;
    // Making another program's window the active one waits for that program: one that does not
    // answer now keeps its turn until the user clicks into it.
    DWORD_PTR answer = 0;
    if (framed != nullptr && oursInFront && !InMoveOrSizeLoop() &&
        SendMessageTimeoutA(framed, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, AnswerLimitMs,
                            &answer) != 0) {
        SetForegroundWindow(framed);
    }
}

// Whether the window in front is the framed one or another of its program's (a dialog of it).
bool FramedProgramInFront() {
    const HWND framed = Values().FramedWindow;
    const HWND foreground = GetForegroundWindow();
    return framed != nullptr && foreground != nullptr &&
           GetWindowThreadProcessId(foreground, nullptr) ==
               GetWindowThreadProcessId(framed, nullptr);
}

// Whether the message leaves one of the two active where the framed window should be. A click
// that activates the content window went into the framed program, which takes the keyboard
// itself, where the click put it.
bool TakesKeyboardAway(HWND window, UINT message, WPARAM wParam) {
    if (message == WM_EXITSIZEMOVE) {
        return true;
    }
    const WORD how = LOWORD(wParam);
    return message == WM_ACTIVATE && how != WA_INACTIVE &&
           (window == FrameWindow() || how != WA_CLICKACTIVE);
}

void FollowMove(HWND window) {
    const HWND frame = FrameWindow();
    if (frame == nullptr) {
        return;
    }
    if (window == frame) {
        PlaceFollowers();
        return;
    }
    auto& followers = Values().Followers;
    const auto found = std::find(followers.begin(), followers.end(), window);
    const auto index = static_cast<size_t>(std::distance(followers.begin(), found));
    if (found == followers.end()) {
        followers.push_back(window);
        Values().Placed.push_back(false);
    }
    PlaceFollower(index);
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
    return procedure == &MoveFollowProc || procedure == &FrameLimits::FrameLimitsProc;
}

} // namespace

State& Values() {
    static State values;
    return values;
}

void InstallMoveHook(Form& form, bool isMain) {
    const HWND window = form.Hwnd();
    if (window == nullptr) {
        return;
    }
    if (isMain) {
        Values().Main = &form;
    }
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    // Hooked already: saving our own procedure as the form's would make it call itself forever.
    if (IsOwnHook(current)) {
        return;
    }
    Values().SavedFormProc = current;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MoveFollowProc));
}

void RemoveMoveHook(Form& form) {
    if (Values().SavedFormProc == nullptr || form.Hwnd() == nullptr) {
        return;
    }
    SetWindowLongPtrA(form.Hwnd(), GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(Values().SavedFormProc));
}

void KeepFollowersAbove() {
    const HWND frame = FrameWindow();
    if (frame == nullptr || restacking) {
        return;
    }
    restacking = true;
    constexpr UINT keepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    for (const HWND follower : Values().Followers) {
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

void PlaceFollowers() {
    // Placing a follower may register another one: the size is read on every round.
    for (size_t i = 0; i < Values().Followers.size(); ++i) {
        if (Values().Placed.at(i) && IsWindow(Values().Followers[i])) {
            PlaceFollower(i);
        }
    }
}

void PlaceFollower(size_t index) {
    Values().Placed.at(index) = true;
    const HWND follower = Values().Followers.at(index);
    RECT frame{};
    if (!TheLoadedSkin().Ready || !Values().OnInterior || follower == placing ||
        !GetWindowRect(FrameWindow(), &frame)) {
        return;
    }
    const HWND outer = placing;
    placing = follower;
    MoveWindow(follower, frame.left + TheLoadedSkin().MarginLeft,
               frame.top + TheLoadedSkin().MarginTop,
               frame.right - frame.left - TheLoadedSkin().MarginH,
               frame.bottom - frame.top - TheLoadedSkin().MarginV, TRUE);
    placing = outer;
}

LRESULT CALLBACK MoveFollowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == nullptr) {
        return 0;
    }
    try {
        RaiseFrameWithTarget();
        if (Values().FramedWindow != nullptr && TakesKeyboardAway(window, message, wParam)) {
            PostMessageA(window, HandKeyboardOver, 0, 0);
        }
        if (message == HandKeyboardOver) {
            HandKeyboardToFramedWindow();
            return 0;
        }
        if (message == WM_MOUSEACTIVATE && window == FrameWindow() && FramedProgramInFront()) {
            // A click on the frame of the program in front (its band, borders, buttons) leaves
            // the keyboard where it is inside the program, as a click on a caption does.
            return MA_NOACTIVATE;
        }
        if (window == FrameWindow() && ChangesZOrder(message, lParam)) {
            KeepFollowersAbove();
        }
        if (message == WM_MOVE || message == WM_SIZE) {
            // Until the frame is hooked there is nothing to follow, and the content window's
            // own layout waits for its first placement.
            if (Values().Main == nullptr) {
                return 0;
            }
            FollowMove(window);
        }
        if (Values().SavedFormProc == nullptr) { // the process values were reset under the hook
            return DefWindowProcA(window, message, wParam, lParam);
        }
        return CallWindowProcA(Values().SavedFormProc, window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

} // namespace glaze::FollowFrame
