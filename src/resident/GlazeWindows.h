#pragma once
// The program's own windows on the desk as the resident glaze finds them: the frames running
// now, whoever started them, and the frame a window lies in. Found by what the windows show
// now, never by a title remembered from their start (a frame's caption follows its program).

#include <windows.h>

#include <string>
#include <vector>

namespace glaze {

// For a window of a frame process (the frame, its content window, or the framed program's
// window lying in it): that frame. Nothing for other windows, and for the control panel's.
HWND FrameAround(HWND window);

struct RunningFrame {
    HWND Frame = nullptr;
    std::wstring Title; // the framed program's title, as the frame's caption shows it
    std::wstring Skin;  // empty when the frame did not say at once
};

// Every frame on the desk, from the top of the window order down.
std::vector<RunningFrame> RunningFrames();

// Every frame told to give its window back, leaving its program open. A frame hears it once it
// is up (shown): one still starting is told when it is, and so is one that comes up while the
// resident's own frames are still starting.
class GiveBackAll {
public:
    void Begin();
    // Tells the frames that are up and not told yet; false once there is none left to wait for.
    bool Continue(bool framesStarting);
    bool Active() const { return active_; }

private:
    std::vector<HWND> told_;
    bool active_ = false;
};

} // namespace glaze
