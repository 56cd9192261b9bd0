// glaze_display_bench [RUNS]
// What a display change costs a maximised frame. A frame process's frame is made in this process,
// as glaze.exe makes it, around a window of another thread (as another program's window, it
// repaints itself in its own time), with the skins beside the program, and
// maximised; the display then grows from 1280x800 to 1920x1200 and shrinks back, RUNS times each
// way (20 when not given). Run inside Wine's virtual desktop on an X screen of at least
// 1920x1200 (scripts/wine-session.sh). Prints, in Markdown:
// - per direction, the median and the range of the time from the frame hearing of the change
//   (WM_DISPLAYCHANGE reaching its window procedure) until it has handled it (re-fitted to the
//   new monitor and drawn whole), and the layered updates made meanwhile;
// - the frame's canvas and the process's committed private memory before the display grows, on
//   the larger display, and after it shrinks back, at the first change and at the last.

#include "BenchSupport.h"
#include "frame/FrameWindow.h"
#include "lifecycle/TheForms.h"
#include "settings/RunSettings.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace glaze;
using bench::Median;
using bench::MemoryInMegabytes;
using bench::PumpMessages;

namespace {

constexpr wchar_t TargetTitle[] = L"glaze display bench";

// The frame's handling of the display change it is told of, timed by the thread's hooks.
HWND frameWindow = nullptr;
double handlingStarted = 0;
double handled = 0;

double NowMicroseconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

LRESULT CALLBACK BeforeHandling(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == frameWindow && sent->message == WM_DISPLAYCHANGE) {
        handlingStarted = NowMicroseconds();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK AfterHandling(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == frameWindow && sent->message == WM_DISPLAYCHANGE) {
        handled = NowMicroseconds();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool ChangeDisplayTo(int width, int height) {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT; // the rest as it is
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    const bool changed =
        ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL;
    PumpMessages();
    return changed;
}

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// The framed program: a window and its message loop on a thread of its own.
DWORD WINAPI RunTarget(void*) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = L"glaze-display-bench";
    RegisterClassW(&windowClass);
    CreateWindowExW(0, windowClass.lpszClassName, TargetTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                    200, 150, 600, 400, nullptr, nullptr, windowClass.hInstance, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
    }
    return 0;
}

struct Change {
    std::vector<double> Microseconds;
    std::vector<int64_t> Updates;
};

void PrintRow(const char* name, Change change) {
    std::sort(change.Microseconds.begin(), change.Microseconds.end());
    std::sort(change.Updates.begin(), change.Updates.end());
    std::printf("| %s | %zu | %.0f (%.0f–%.0f) | %lld–%lld |\n", name, change.Microseconds.size(),
                Median(change.Microseconds), change.Microseconds.front(),
                change.Microseconds.back(), static_cast<long long>(change.Updates.front()),
                static_cast<long long>(change.Updates.back()));
}

void PrintCanvas(const char* when, const FrameWindow& frame) {
    const SIZE canvas = frame.Surface().Capacity();
    std::printf("| %s | %ldx%ld | %.1f | %.1f |\n", when, canvas.cx, canvas.cy,
                4.0 * canvas.cx * canvas.cy / (1024.0 * 1024.0), MemoryInMegabytes().PrivateCommit);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 20;
    CreateThread(nullptr, 0, RunTarget, nullptr, 0, nullptr);
    if (bench::WaitForWindow([] { return FindWindowW(nullptr, TargetTitle); }) == nullptr ||
        !ChangeDisplayTo(1280, 800)) {
        std::fprintf(stderr, "the display cannot be changed here\n");
        return 1;
    }
    TheRun().ArgumentText = std::wstring(TargetTitle) + L"/A";
    FrameWindow& frame = TheFrameWindow();
    frame.Load();
    frame.Show();
    PumpMessages();
    frame.SetState(WindowState::Maximized);
    PumpMessages();
    frameWindow = frame.Hwnd();
    const HHOOK before =
        SetWindowsHookExW(WH_CALLWNDPROC, BeforeHandling, nullptr, GetCurrentThreadId());
    const HHOOK after =
        SetWindowsHookExW(WH_CALLWNDPROCRET, AfterHandling, nullptr, GetCurrentThreadId());

    std::printf("| the frame's canvas | size | bytes (MB) | committed private memory (MB) |\n"
                "|---|---|---|---|\n");
    Change grow;
    Change shrink;
    for (int run = 0; run < runs; ++run) {
        for (const bool larger : {true, false}) {
            if (run == 0 || run == runs - 1) {
                PrintCanvas(larger ? "before growing" : "on the larger display", frame);
            }
            const int64_t updates = frame.Surface().Updates();
            handlingStarted = handled = 0;
            ChangeDisplayTo(larger ? 1920 : 1280, larger ? 1200 : 800);
            Change& change = larger ? grow : shrink;
            change.Microseconds.push_back(handled - handlingStarted);
            change.Updates.push_back(frame.Surface().Updates() - updates);
        }
        if (run == 0 || run == runs - 1) {
            PrintCanvas("shrunk back", frame);
        }
    }
    std::printf("\n| display change, maximised frame | changes | from the notice to the frame "
                "redrawn (µs, median and range) | layered updates per change |\n"
                "|---|---|---|---|\n");
    PrintRow("1280x800 to 1920x1200", grow);
    PrintRow("1920x1200 to 1280x800", shrink);
    UnhookWindowsHookEx(before);
    UnhookWindowsHookEx(after);
    frame.Unload();
    return 0;
}
