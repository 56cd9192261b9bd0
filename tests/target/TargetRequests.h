#pragma once
// Requests a test may post to the test target program's window.

#include <windows.h>

namespace glaze::target {

constexpr UINT HangRequest = WM_APP + 1;  // wParam: milliseconds without answering messages
constexpr UINT CloseRequest = WM_APP + 2; // close the window itself, which ends the program
constexpr UINT ExitRequest = WM_APP + 3;  // end the process at once, the window untouched
// Shows a dialog-class window titled "<title> 对话框"; wParam 1: owned by the main window.
constexpr UINT DialogRequest = WM_APP + 4;

} // namespace glaze::target
