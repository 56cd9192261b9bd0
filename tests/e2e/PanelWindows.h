#pragma once
// Finding the two windows of a glaze process and the panel's controls from outside.

#include "E2eSupport.h"
#include "panel/ControlIds.h"

namespace glaze::e2e {

struct GlazeWindows {
    HWND Frame = nullptr;   // the layered frame window
    HWND Content = nullptr; // the content window (the control panel in a panel process)
};

// Waits until the process shows both of its windows.
GlazeWindows WaitForGlazeWindows(const Process& process);

// The panel's controls, found by their IDs.
inline HWND ControlOf(HWND content, ControlId id) {
    return ChildWithId(content, id);
}
inline HWND TitleBoxOf(HWND content) {
    return ControlOf(content, TitleBoxId);
}
inline HWND SkinListOf(HWND content) {
    return ControlOf(content, SkinListId);
}
inline HWND CloseProgramBoxOf(HWND content) {
    return ControlOf(content, CloseProgramBoxId);
}
inline HWND SaveSettingsBoxOf(HWND content) {
    return ControlOf(content, SaveSettingsBoxId);
}

// Whether the display shows the panel above its frame. The panel's title box lies where the
// first bundled skin's frame has its stretched accent, under the content window: the blank part
// of the box is seen painted only while the content window is shown above the frame. Under Wine
// the display's order is the one the next pointer move makes the window order follow.
bool TitleBoxSeen(HWND content);

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
