#include "platform/Screens.h"

#include "platform/DpiScale.h"
#include "platform/Scoped.h"

#include <dwmapi.h>

#include <algorithm>
#include <cstring>

namespace glaze {
namespace {

// A function of user32 that older systems lack, or nothing there.
template <typename Function> Function* User32Function(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), name);
    Function* function = nullptr;
    static_assert(sizeof function == sizeof found);
    std::memcpy(&function, &found, sizeof function);
    return function;
}

int32_t SystemDpi() {
    const WindowDc screen(nullptr);
    return UsableDpi(GetDeviceCaps(screen, LOGPIXELSY));
}

PixelRect FromRect(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

MonitorArea AreaOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor == nullptr || !GetMonitorInfoA(monitor, &info)) {
        const PixelRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        return {screen, screen};
    }
    // The monitor's own work area, which the system keeps true through display changes. (Wine's
    // SPI_GETWORKAREA is a value of each process's own, set when the process starts or by the
    // process itself, and stays as it was when the display changes: it is not read.)
    return {FromRect(info.rcMonitor), FromRect(info.rcWork)};
}

} // namespace

int32_t WindowDpi(HWND window) {
    static const auto dpiForWindow = User32Function<UINT WINAPI(HWND)>("GetDpiForWindow");
    if (dpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = dpiForWindow(window); dpi != 0) {
            return UsableDpi(static_cast<int32_t>(dpi));
        }
    }
    return SystemDpi();
}

int32_t SystemMetricAt(int index, int32_t dpi) {
    static const auto metricForDpi =
        User32Function<int WINAPI(int, UINT)>("GetSystemMetricsForDpi");
    if (metricForDpi != nullptr) {
        return metricForDpi(index, static_cast<UINT>(UsableDpi(dpi)));
    }
    return MulDiv(GetSystemMetrics(index), UsableDpi(dpi), SystemDpi());
}

SIZE OuterSizeForClient(SIZE client, DWORD style, DWORD exStyle, int32_t dpi) {
    static const auto adjustForDpi =
        User32Function<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT outer{0, 0, client.cx, client.cy};
    if (adjustForDpi == nullptr ||
        !adjustForDpi(&outer, style, FALSE, exStyle, static_cast<UINT>(UsableDpi(dpi)))) {
        outer = {0, 0, client.cx, client.cy};
        AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    }
    return {outer.right - outer.left, outer.bottom - outer.top};
}

void AllowMixedDpiHosting() {
    constexpr int MixedHosting = 1; // DPI_HOSTING_BEHAVIOR_MIXED
    static const auto setHosting = User32Function<int WINAPI(int)>("SetThreadDpiHostingBehavior");
    if (setHosting != nullptr) {
        setHosting(MixedHosting);
    }
}

MonitorArea MonitorOf(HWND window) {
    return AreaOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

MonitorArea MonitorNearest(const PixelRect& rect) {
    const RECT r{rect.X, rect.Y, rect.X + rect.Width, rect.Y + rect.Height};
    return AreaOf(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST));
}

PixelRect PrimaryMonitor() {
    return AreaOf(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY)).Monitor;
}

PixelRect TaskbarOnMonitorOf(HWND window) {
    const HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    for (const char* kind : {"Shell_TrayWnd", "Shell_SecondaryTrayWnd"}) {
        for (HWND bar = FindWindowExA(nullptr, nullptr, kind, nullptr); bar != nullptr;
             bar = FindWindowExA(nullptr, bar, kind, nullptr)) {
            if (IsWindowVisible(bar) &&
                MonitorFromWindow(bar, MONITOR_DEFAULTTONEAREST) == monitor) {
                RECT rect{};
                GetWindowRect(bar, &rect);
                return FromRect(rect);
            }
        }
    }
    return {};
}

namespace {

// A named callback: the 32-bit build calls it with the platform's own calling convention,
// which a lambda does not have.
BOOL CALLBACK GrowToMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
    auto* size = reinterpret_cast<SIZE*>(param);
    const PixelRect area = AreaOf(monitor).Monitor;
    size->cx = std::max<LONG>(size->cx, area.Width);
    size->cy = std::max<LONG>(size->cy, area.Height);
    return TRUE;
}

} // namespace

SIZE LargestMonitorSize() {
    SIZE largest{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EnumDisplayMonitors(nullptr, nullptr, GrowToMonitor, reinterpret_cast<LPARAM>(&largest));
    return largest;
}

PixelRect VisibleRectOf(HWND window) {
    RECT rect{};
    if (FAILED(DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &rect, sizeof rect)) ||
        IsRectEmpty(&rect)) {
        GetWindowRect(window, &rect);
    }
    return FromRect(rect);
}

bool IsCloaked(HWND window) {
    DWORD cloaked = 0;
    return SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) &&
           cloaked != 0;
}

bool IsOnScreen(HWND window) {
    return !IsCloaked(window) && IsWindowVisible(window) && !IsIconic(window);
}

} // namespace glaze
