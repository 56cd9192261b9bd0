#pragma once
// Finding the two windows of a glaze process and the panel's controls from outside.

#include "E2eSupport.h"

namespace glaze::e2e {

struct GlazeWindows {
    HWND Frame = nullptr;   // the layered frame window
    HWND Content = nullptr; // the content window (the control panel in a panel process)
};

// Waits until the process shows both of its windows.
GlazeWindows WaitForGlazeWindows(const Process& process);

// The panel's control whose top-left corner lies at (x, y) of the content window's client area.
HWND ControlAt(HWND content, int x, int y);

// Panel controls by their place in the panel.
inline HWND TitleBoxOf(HWND content) {
    return ControlAt(content, 8, 24);
}
inline HWND SkinListOf(HWND content) {
    return ControlAt(content, 160, 200);
}
inline HWND CloseProgramBoxOf(HWND content) {
    return ControlAt(content, 8, 220);
}
inline HWND SaveSettingsBoxOf(HWND content) {
    return ControlAt(content, 8, 200);
}

// The entries of a combo box or a list box of another process.
std::vector<std::wstring> ComboEntries(HWND combo);
std::vector<std::wstring> ListEntries(HWND list);

// A message box of the process: its caption and text, once it is shown.
struct MessageBoxSeen {
    HWND Window = nullptr;
    std::wstring Caption;
    std::wstring Text;
};
MessageBoxSeen WaitForMessageBox(const Process& process);

} // namespace glaze::e2e
