#pragma once
// The frame's own entries in its system menu (a right-click on the caption band shows it). The
// control panel's frame leads to the resident glaze and its rules; a frame process's frame
// keeps itself and the framed program on top of other windows, and sets how opaque both are.

#include <windows.h>

namespace glaze {

class FrameWindow;
class ContentWindow;

// Adds the entries for this process, and has the frame hand their commands here.
void AddWindowMenuEntries(FrameWindow& frame, ContentWindow& content);

} // namespace glaze
