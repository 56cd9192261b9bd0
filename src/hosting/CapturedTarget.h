#pragma once
// A window of another program taken into the content window, with what it needs to be given back
// whole: its style, parent and borders from before. Giving it back makes cross-process calls that
// wait for the program to answer; these run on a thread of their own, so that a program that has
// stopped answering never freezes the frame, and the frame's process waits until the window is
// back before it ends, so the window never goes down with it.

#include "hosting/CaptureGeometry.h"

#include <windows.h>

namespace glaze {

struct CapturedTarget {
    HWND Window = nullptr;
    HWND Parent = nullptr; // what GetParent reported before the capture
    LONG Style = 0;
    CapturedBorders Borders;
    // The thread that owns the window: a handle outliving its window may name another one later.
    DWORD Thread = 0;

    // Whether the window is still the one that was captured.
    bool StillThere() const;
};

// Style, place and parent as before, then a minimise and a restore posted to the program, which
// brings its window back up through its own handling; with closeProgram, WM_CLOSE follows, so the
// program closes as when its user clicks its close box and may ask to save. Waits on the program
// for every step: when it does not answer, this pumps the caller's messages until it does.
void GiveBack(const CapturedTarget& target, const ScreenRect& place, bool closeProgram);

// The same without a thread or a message loop, for a process that is going down.
void GiveBackAtOnce(const CapturedTarget& target, const ScreenRect& place);

} // namespace glaze
