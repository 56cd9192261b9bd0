#pragma once
// What the system says about the screens: the monitors with their work areas, and the DPI a
// window is drawn at. glaze declares itself aware of each monitor's DPI, so the system never
// stretches its windows: each asks for its DPI and draws itself at that scale.

#include "platform/PixelRect.h"

#include <windows.h>

#include <cstdint>

namespace glaze {

// The DPI of the monitor the window is on: GetDpiForWindow where the system has it (Windows 10
// from 1607), otherwise the system's DPI. The program still starts on systems without it.
int32_t WindowDpi(HWND window);

// A system metric (SM_CXMENUCHECK, ...) at the DPI: GetSystemMetricsForDpi where the system has
// it, otherwise the metric at the system's DPI scaled.
int32_t SystemMetricAt(int index, int32_t dpi);

// The outer size of a window of these styles whose client area has the size, with the borders
// and caption the window has at the DPI: AdjustWindowRectExForDpi where the system has it,
// otherwise the borders at the system's DPI.
SIZE OuterSizeForClient(SIZE client, DWORD style, DWORD exStyle, int32_t dpi);

// From now on the windows this thread creates may hold windows of another DPI awareness, which
// the system then scales for them (Windows 10 from 1803; nothing on other systems).
void AllowMixedDpiHosting();

// The monitor the window (or rectangle) lies on most, the nearest when it lies on none.
MonitorArea MonitorOf(HWND window);
MonitorArea MonitorNearest(const PixelRect& rect);

// The primary monitor, whose top-left corner is the screen's origin.
PixelRect PrimaryMonitor();

// Where the taskbar on the window's monitor lies now (the shell's main one, or one it shows on
// another monitor), empty when that monitor shows none.
PixelRect TaskbarOnMonitorOf(HWND window);

// The largest width and the largest height of any monitor: room for a frame on any of them.
SIZE LargestMonitorSize();

// The rectangle of a window as the user sees it: without the invisible sizing border the
// system's window frames have from Windows 10 on.
PixelRect VisibleRectOf(HWND window);

// Whether the system hides the window though it is visible (cloaked, as windows of other
// virtual desktops and suspended store apps are).
bool IsCloaked(HWND window);

// Whether a window is shown on the screen: visible, not minimised, not cloaked.
bool IsOnScreen(HWND window);

} // namespace glaze
