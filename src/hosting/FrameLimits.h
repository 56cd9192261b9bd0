#pragma once
// The frame's second hook, on top of its move hook: it answers the platform's size-limit
// question from Process.SizeLimits, turns the system menu's choice into a system command, and
// keeps every message from the frame while a skin is being (re)loaded.

#include <windows.h>

namespace glaze::FrameLimits {

// Fixes the maximised position at the screen's corner and the largest tracking size at the
// current largest size, then hooks the frame.
void InstallLimitsHook(HWND frame);

LRESULT CALLBACK FrameLimitsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace glaze::FrameLimits
