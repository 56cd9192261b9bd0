#pragma once
// Requests a test may post to the test target program's window.

#include <windows.h>

namespace glaze::target {

constexpr UINT HangRequest = WM_APP + 1;  // wParam: milliseconds without answering messages
constexpr UINT CloseRequest = WM_APP + 2; // close the window itself, which ends the program
constexpr UINT ExitRequest = WM_APP + 3;  // end the process at once, the window untouched
// Shows a dialog-class window titled "<title> 对话框"; wParam 1: owned by the main window.
constexpr UINT DialogRequest = WM_APP + 4;
// What programs do to their own windows:
constexpr UINT ResizeRequest = WM_APP + 5;  // wParam x lParam: its new outer size, place kept
constexpr UINT RetitleRequest = WM_APP + 6; // wParam characters: its title repeated to that length
constexpr UINT ShowRequest = WM_APP + 7;    // ShowWindow with wParam (SW_HIDE, SW_SHOW, ...)
constexpr UINT FullScreenRequest = WM_APP + 8; // wParam 1: cover its monitor, 0: back as it was
constexpr UINT ModalRequest = WM_APP + 9;      // a modal message box captioned "glaze_target"

} // namespace glaze::target
