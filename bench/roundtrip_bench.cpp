// glaze_roundtrip_bench BINDIR [RUNS]
// What a resize of a frame around a real program costs under Wine, measured from outside with
// QueryPerformanceCounter: BINDIR's glaze.exe frames BINDIR's glaze_target.exe, and the frame
// is sized alternately to 800x600 and 790x590, each resize followed by a message round trip
// (WM_NULL sent to the frame), so the time covers everything the frame process does for it.
// In the same run, for comparison and as a breakdown, this process replays the steps on windows
// of its own: a bare layered-window update of the frame's size, the move of a content window
// holding the same kind of program's window (re-parented from its process, as the frame holds
// it) with that window's resize, the content window's forced repaint, and its restacking.
// Prints medians in microseconds.

#include "BenchSupport.h"
#include "platform/Canvas.h"
#include "platform/Scoped.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace glaze;
using bench::Median;
using bench::Microseconds;
using bench::PumpMessages;
using bench::Started;
using bench::WaitForWindow;

namespace {

constexpr SIZE Sizes[2] = {{800, 600}, {790, 590}};

// The frame process's resize round trip, alternating between the two sizes.
double FrameRoundTrip(const std::string& binDir, int runs) {
    const bench::FramedTarget framed(binDir, "glaze-round-trip", {760, 520});
    const HWND window = framed.Frame;
    if (window == nullptr) {
        return 0;
    }
    Sleep(500);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const SIZE size = Sizes[run % 2];
        times.push_back(Microseconds([&] {
            SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            SendMessageA(window, WM_NULL, 0, 0);
        }));
        PumpMessages();
    }
    framed.Close();
    return Median(times);
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

struct Replay {
    double Layered = 0;
    double ContentMove = 0;
    double Repaint = 0;
    double Restack = 0;
};

// The frame's steps on windows of this process, with a real program's window in the content.
Replay ReplaySteps(const std::string& binDir, int runs) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = PlainProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "glaze-roundtrip";
    RegisterClassA(&windowClass);
    HWND frame = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, "glaze-roundtrip", "", WS_POPUP,
                                 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    HWND content = CreateWindowExA(WS_EX_TOOLWINDOW, "glaze-roundtrip", "",
                                   WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 14, 34, 772, 552,
                                   nullptr, nullptr, nullptr, nullptr);
    const std::string title = "glaze replayed";
    Started target("\"" + binDir + "\\glaze_target.exe\" \"" + binDir + "\\replay.log\" " + title);
    HWND program = WaitForWindow([&] { return FindWindowA(nullptr, title.c_str()); });
    Replay replay;
    if (program == nullptr) {
        return replay;
    }
    SetWindowLongA(program, GWL_STYLE, WS_VISIBLE | WS_CLIPSIBLINGS);
    SetParent(program, content);

    const WindowDc screen(nullptr);
    const Canvas canvas = CreateCanvas(screen, MakeScreenBitmapInfo());
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    SIZE first = Sizes[0];
    UpdateLayeredWindow(frame, screen, nullptr, &first, canvas, &source, 0, &blend, ULW_ALPHA);
    ShowWindow(frame, SW_SHOWNOACTIVATE);
    PumpMessages();

    std::vector<double> layered, move, repaint, restack;
    for (int run = 0; run < runs; ++run) {
        SIZE size = Sizes[run % 2];
        layered.push_back(Microseconds([&] {
            SetWindowPos(frame, nullptr, 0, 0, size.cx, size.cy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            UpdateLayeredWindow(frame, screen, nullptr, &size, canvas, &source, 0, &blend,
                                ULW_ALPHA);
            PumpMessages();
        }));
        move.push_back(Microseconds([&] {
            MoveWindow(content, 14, 34, size.cx - 28, size.cy - 48, TRUE);
            MoveWindow(program, 0, 0, size.cx - 28, size.cy - 48, FALSE);
            SendMessageA(program, WM_NULL, 0, 0);
        }));
        repaint.push_back(Microseconds([&] {
            RedrawWindow(content, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            SendMessageA(program, WM_NULL, 0, 0);
        }));
        restack.push_back(Microseconds([&] {
            SetWindowPos(content, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }));
        PumpMessages();
    }
    replay = {Median(layered), Median(move), Median(repaint), Median(restack)};
    SetParent(program, nullptr);
    DestroyWindow(content);
    DestroyWindow(frame);
    return replay;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: glaze_roundtrip_bench BINDIR [RUNS]\n");
        return 2;
    }
    const std::string binDir = argv[1];
    const int runs = argc > 2 ? std::max(3, std::atoi(argv[2])) : 61;
    const double roundTrip = FrameRoundTrip(binDir, runs);
    const Replay replay = ReplaySteps(binDir, runs);
    std::printf("| resize round trip of the frame (µs) | bare layered resize and update | content "
                "move with the program's resize | forced repaint | restacking |\n");
    std::printf("|---|---|---|---|---|\n| %.0f | %.0f | %.0f | %.0f | %.0f |\n", roundTrip,
                replay.Layered, replay.ContentMove, replay.Repaint, replay.Restack);
    return 0;
}
