#pragma once
// The frame and the content window act as one window: both carry this hook, and whenever either
// moves or changes size the content window is put back on the frame's interior. Neither keeps
// the keyboard while a window is framed: when either becomes active, the framed window does.
// The frame is the main window; every other hooked window is a follower, registered by its
// first move or size message after the frame's hook is in place.

#include <windows.h>

#include <cstddef>
#include <vector>

namespace glaze {
class Form;
}

namespace glaze::FollowFrame {

// The hook's own values, one set per process.
struct State {
    Form* Main = nullptr;            // the frame, whose interior the followers cover
    WNDPROC SavedFormProc = nullptr; // the forms' own procedure, which every hooked window calls
    std::vector<HWND> Followers;     // in order of registration
    std::vector<bool> Placed;        // per follower: placed at least once
    HWND FramedWindow = nullptr;     // the captured window, whose coming to the front raises us
    bool FrameRaised = false;        // raised since the framed window last came to the front
    // False while the framed program has its whole monitor: the content window covers the
    // monitor then, wherever the frame is.
    bool OnInterior = true;
};
State& Values();

// Hooks the form's window; the main form is the one the others follow. Both forms share one
// window class, so the one saved procedure (the forms layer's) serves both. Install the frame's
// move hook before its limits hook.
void InstallMoveHook(Form& form, bool isMain);

// Gives the window back the forms layer's procedure. On the frame this drops the limits hook
// too, since it sits on top of the move hook.
void RemoveMoveHook(Form& form);

LRESULT CALLBACK MoveFollowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Puts every follower directly above the frame, where the frame is now among the other windows:
// nothing of the frame may ever lie over the window it dresses. Runs whenever the frame comes up
// (activated, clicked, restored, raised with the framed program).
void KeepFollowersAbove();

// Marks follower `index` as placed and, when a skin is loaded, lays it on the frame's interior.
void PlaceFollower(size_t index);
// Lays every follower placed before on the frame's interior again.
void PlaceFollowers();

} // namespace glaze::FollowFrame
