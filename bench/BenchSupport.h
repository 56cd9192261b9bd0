#pragma once
// What both benchmarks time with: wall-clock microseconds of one piece of work, their median,
// and the waiting messages of this thread handled.

#include <windows.h>

#include <algorithm>
#include <vector>

namespace glaze::bench {

template <typename Work> double Microseconds(Work&& work) {
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 /
           static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times.empty() ? 0 : times[times.size() / 2];
}

template <typename Work> double MedianMicroseconds(int runs, Work&& work) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        times.push_back(Microseconds(work));
    }
    return Median(std::move(times));
}

inline void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&msg);
    }
}

} // namespace glaze::bench
