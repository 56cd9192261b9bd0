#pragma once
// The resident glaze's icon menu: the panel, the rules, pause, start with Windows and exit, and
// the frames running now (program title and skin): choosing one brings it to the front, and one
// entry gives every window back.

#include <windows.h>

#include <vector>

namespace glaze {

class ResidentMenu {
public:
    // Shows the menu at the pointer; the choice arrives at the window as WM_COMMAND.
    void Show(HWND window, bool paused);
    // Brings the frame of a frame entry to the front; false for the other entries.
    bool Run(UINT_PTR command);

private:
    // The frames listed by the menu last shown, by their entries' order.
    std::vector<HWND> frames_;
};

} // namespace glaze
