#pragma once
// The resident glaze: a process that stays in the notification area, frames the windows that
// its rules name as their programs open them, and frames or gives back the window in front when
// the hotkey is pressed. It starts frames as the panel does, through their command line.

#include <windows.h>

namespace glaze {

// The entries of the icon's menu, as WM_COMMAND identifiers of the resident's window.
enum ResidentMenuCommand : UINT_PTR {
    OpenPanelCommand = 1,
    EditRulesCommand,
    PauseCommand,
    StartWithWindowsCommand,
    ExitCommand,
    GiveAllBackCommand,
    FirstFrameCommand = 100, // the frames running, one entry each in the menu's order
};

// Runs the resident glaze until the user ends it. A second start in the same session brings up
// the first one's menu and returns at once.
int RunResident();

// Starts the resident glaze; when it runs already, that one shows its menu.
void StartResident();

// Tells a running resident glaze that rules.ini has been saved.
void TellResidentRulesChanged();

// Whether the window is the resident glaze's hidden window, which is in front while its menu is.
bool IsResidentWindow(HWND window);

} // namespace glaze
