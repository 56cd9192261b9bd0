#pragma once
// What this run of the program was started for and with: the control panel or the frame of one
// window, where the program lies, and the chosen skin and options. Filled at start-up from the
// command line or myset.ini; a re-style hand-over changes the skin and the close option.

#include <cstdint>
#include <string>

namespace glaze {

struct RunSettings {
    std::wstring ArgumentText; // empty: the control panel; otherwise a frame process
    std::wstring AppDir;       // the executable's directory, ending in a backslash
    int32_t SaveSettings = 0;  // 1: the panel's settings are remembered in myset.ini
    int32_t StyleIndex = 0;    // 0-based place of the chosen skin in the skin list
    int32_t CloseProgram = 0;  // 1: the framed program is closed together with the frame
    // How a frame started by the resident glaze's rule comes up: on top, and how opaque (%).
    bool StartOnTop = false;
    int32_t StartOpacity = 100;

    bool IsFrameProcess() const { return !ArgumentText.empty(); }
    // A skin index beyond the list (a skin removed since it was saved) chooses the first skin.
    void KeepStyleIndexWithin(int32_t skinCount) {
        if (StyleIndex > skinCount - 1 || StyleIndex < 0) {
            StyleIndex = 0;
        }
    }
};

// This process's run.
RunSettings& TheRun();

} // namespace glaze
