#pragma once

#include <windows.h>

namespace glaze::SysCommand {

// Hands a system command (SC_CLOSE, SC_MINIMIZE, ...) to the window's queue, so that it runs
// after the caller's own message has been handled.
void PostSysCommand(HWND window, UINT_PTR command);

} // namespace glaze::SysCommand
