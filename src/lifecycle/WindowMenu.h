#pragma once
// The frame's own entries in its system menu (a right-click on the caption band shows it). The
// control panel's frame leads to the resident glaze and its rules; a frame process's frame
// keeps itself and the framed program on top of other windows, and sets how opaque both are.

#include "platform/SysCommand.h"

#include <windows.h>

namespace glaze {

// The entries' system commands: multiples of 16 below the platform's own (0xF000 and up).
enum WindowMenuCommand : UINT {
    ResidentCommand = 0x1000,
    RulesCommand = 0x1010,
    OnTopCommand = 0x1020,
    OpacityCommand = 0x1030, // 100 %, and one step of 16 more for each of 90, 80, 70 and 60 %
    // Not in the menu: sent by the resident glaze.
    GiveBackCommand = SysCommand::GiveBack,
};

class FrameWindow;
class ContentWindow;

// Adds the entries for this process, and has the frame hand their commands here. A frame that a
// rule started comes up on top and see-through as the rule says.
void AddWindowMenuEntries(FrameWindow& frame, ContentWindow& content);

} // namespace glaze
