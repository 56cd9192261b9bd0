#pragma once
// A window of another program taken into the content window, with what it needs to be given back
// whole: its style, its real parent and its owner, and its borders from before. The calls that
// take it in and give it back wait for its program to answer; WindowKeeper makes them on a
// thread of its own.

#include "hosting/CaptureGeometry.h"

#include <windows.h>

namespace glaze {

struct CapturedTarget {
    HWND Window = nullptr;
    // Its real parent (GA_PARENT): for a top-level window, the desktop window of the desktop it
    // came from, which it goes back to by name: SetParent with no window means the calling
    // thread's desktop, and that may be another one.
    HWND Parent = nullptr;
    // Its owner, kept apart from the parent: a popup owned by a hidden application window goes
    // back top-level and still owned, not into its owner as a child.
    HWND Owner = nullptr;
    LONG Style = 0;
    // Where it lay, restored and maximised: a window its program has maximised when it goes back
    // is maximised again from there.
    WINDOWPLACEMENT Placement{};
    CapturedBorders Borders;
    // The thread that owns the window: a handle outliving its window may name another one later.
    DWORD Thread = 0;

    // Whether the window is still the one that was captured.
    bool StillThere() const;
};

// Stripped of caption and borders, re-parented into `content` and sized to width x height. False
// when the system refuses the re-parenting (a window of a higher integrity level, no mixed-DPI
// hosting before Windows 10 1803): the window then has its own style again, where and as it was.
bool TakeWindowIn(const CapturedTarget& target, HWND content, int width, int height);

// Style, place, parent and owner as before, but for what its program decides now: whether the
// window is enabled (a dialog of it may be up), shown, and maximised. Its caption and borders are
// worked out again for that style. With closeProgram, WM_CLOSE follows, so the program closes as
// when its user clicks its close box and may ask to save; not while a dialog of it disables the
// window, where its user could not close it either. False when the system refuses the
// re-parenting: the window is still in the content window then, and nothing is asked of it.
bool GiveWindowBack(const CapturedTarget& target, const ScreenRect& place, bool closeProgram);

} // namespace glaze
