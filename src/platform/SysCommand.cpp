#include "platform/SysCommand.h"

namespace glaze::SysCommand {

void PostSysCommand(HWND window, UINT_PTR command) {
    // A window that is gone cannot take the command, and nothing is left to do about it.
    PostMessageA(window, WM_SYSCOMMAND, command, 0);
}

} // namespace glaze::SysCommand
