// glaze_follow_bench BINDIR [RUNS]
// How soon a frame follows what its program does to its own window, measured from outside:
// BINDIR's glaze.exe frames BINDIR's glaze_target.exe, which is asked (by a posted request, as
// it would decide by itself) to change its size, its title, and to hide and show its window; the
// time runs from the request to the frame showing the change (its size, its caption, its
// visibility). Prints medians in milliseconds: of changes in a row, and of a size change after
// 2.5 s in which nothing changed.

#include "../tests/target/TargetRequests.h"
#include "BenchSupport.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace glaze;
using bench::Median;
using bench::PumpMessages;

namespace {

// Milliseconds from the request to the condition, or -1 when it does not come within 5 s.
double MillisecondsUntil(HWND program, UINT request, WPARAM wParam, LPARAM lParam,
                         const std::function<bool()>& shown) {
    const double micros = bench::Microseconds([&] {
        PostMessageA(program, request, wParam, lParam);
        const ULONGLONG end = GetTickCount64() + 5000;
        while (!shown() && GetTickCount64() < end) {
            Sleep(0);
        }
    });
    return shown() ? micros / 1000 : -1;
}

RECT RectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

std::string CaptionOf(HWND window) {
    char caption[512]{};
    GetWindowTextA(window, caption, sizeof caption);
    return caption;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: glaze_follow_bench BINDIR [RUNS]\n");
        return 2;
    }
    const std::string binDir = argv[1];
    const int runs = argc > 2 ? std::max(3, std::atoi(argv[2])) : 20;
    const bench::FramedTarget framed(binDir, "glaze-follows", {600, 400});
    const HWND program = framed.Program;
    const HWND frame = framed.Frame;
    if (frame == nullptr) {
        return 1;
    }
    Sleep(1000);

    std::vector<double> size, title_, hide, show;
    for (int run = 0; run < runs; ++run) {
        const RECT before = RectOf(frame);
        const WPARAM width = 500 + static_cast<WPARAM>(run % 2) * 40;
        size.push_back(MillisecondsUntil(program, target::ResizeRequest, width, 360, [&] {
            const RECT now = RectOf(frame);
            return now.right - now.left != before.right - before.left;
        }));
        const std::string caption = CaptionOf(frame);
        title_.push_back(MillisecondsUntil(program, target::RetitleRequest,
                                           static_cast<WPARAM>(20 + run % 2), 0,
                                           [&] { return CaptionOf(frame) != caption; }));
        hide.push_back(MillisecondsUntil(program, target::ShowRequest, WPARAM{SW_HIDE}, 0,
                                         [&] { return !IsWindowVisible(frame); }));
        show.push_back(MillisecondsUntil(program, target::ShowRequest, WPARAM{SW_SHOW}, 0,
                                         [&] { return IsWindowVisible(frame) != FALSE; }));
        PumpMessages();
        Sleep(100);
    }
    std::vector<double> afterQuiet;
    for (int run = 0; run < 5; ++run) {
        Sleep(2500);
        const RECT before = RectOf(frame);
        afterQuiet.push_back(MillisecondsUntil(
            program, target::ResizeRequest, 460 + static_cast<WPARAM>(run % 2) * 40, 340, [&] {
                const RECT now = RectOf(frame);
                return now.right - now.left != before.right - before.left;
            }));
    }
    std::printf("| program's own change to the frame showing it (ms, median of %d) | size | title "
                "| hide | show | size after 2.5 s of quiet (median of 5) |\n"
                "|---|---|---|---|---|---|\n| | %.1f | %.1f | %.1f | %.1f | %.1f |\n",
                runs, Median(size), Median(title_), Median(hide), Median(show), Median(afterQuiet));
    framed.Close();
    return 0;
}
