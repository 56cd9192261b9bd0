#pragma once

#include <windows.h>

namespace glaze::SysCommand {

// Hands a system command (SC_CLOSE, SC_MINIMIZE, ...) to the window's queue, so that it runs
// after the caller's own message has been handled.
void PostSysCommand(HWND window, UINT_PTR command);

// A frame's own system command that other processes send it (the resident glaze): give the
// window back and end, leaving its program open whatever the frame's close option says.
constexpr UINT GiveBack = 0x1080;

} // namespace glaze::SysCommand
