#pragma once
// The values that every part of a process shares. One instance per process, all empty or 0 at
// start; the start-up of the frame form fills them.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace glaze {

class Form;

struct ProcessValues {
    std::wstring ArgumentText; // empty: control panel; otherwise a frame process
    std::wstring AppDir;       // the executable's directory, ending in a backslash
    int32_t SaveFlag = 0;      // 1: the panel's settings are remembered
    int32_t StyleIndex = 0;    // 0-based position of the selected skin in the skin list
    int32_t QuitFlag = 0;      // 1: the framed program is closed together with the frame

    std::wstring SkinDir;   // directory of the loaded skin, no closing backslash
    bool SkinReady = false; // false while a skin load is under way
    // The loaded skin's borders around the content window.
    int32_t MarginLeft = 0;
    int32_t MarginTop = 0;
    int32_t MarginH = 0; // left + right border
    int32_t MarginV = 0; // top + bottom border

    HWND TargetWindow = nullptr; // the captured window; none in a control panel

    MINMAXINFO SizeLimits{}; // the frame's size limits as the platform asks for them

    // The content window follows the main window (the frame) on its interior.
    Form* FollowMain = nullptr;
    WNDPROC SavedFormProc = nullptr;
    WNDPROC SavedLimitsProc = nullptr;
    std::vector<HWND> FollowerWindows;
    std::vector<bool> FollowerPlaced;
    bool FrameRaised = false;

    bool IsFrameProcess() const { return !ArgumentText.empty(); }
};

extern ProcessValues Process;

} // namespace glaze
