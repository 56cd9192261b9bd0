#pragma once
// A picture box: a plain child window that shows one icon or cursor filling it from its top-left
// corner, and may hold other controls. Controls report to their parent, so a box passes their
// notifications and colour requests on to its own parent; a box that holds controls passes the
// mouse on as well (in its parent's client pixels), so the form sees the mouse anywhere on its
// face.

#include "frame/ComposePlan.h"

#include <windows.h>

namespace glaze {

// A container also takes part in the tab order of the controls it holds (WS_EX_CONTROLPARENT).
// `id` is the box's control ID.
HWND CreatePictureBox(HWND parent, const PixelRect& place, DWORD style, DWORD exStyle,
                      bool isContainer, int id = 0);

// The picture is not owned by the box (shared resources are meant); none shows nothing.
void SetPicture(HWND box, HICON picture);
HICON PictureOf(HWND box);

} // namespace glaze
