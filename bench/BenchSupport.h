#pragma once
// What the benchmarks time with: wall-clock microseconds of one piece of work, their median,
// and the waiting messages of this thread handled.

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
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

// Waits up to 10 s, handling this thread's messages, for the window the function finds.
inline HWND WaitForWindow(const std::function<HWND()>& find) {
    for (int tries = 0; tries < 200; ++tries) {
        if (HWND window = find()) {
            return window;
        }
        PumpMessages();
        Sleep(50);
    }
    return nullptr;
}

// A process started from the command line, ended by its handle when the object goes.
struct Started {
    PROCESS_INFORMATION Info{};
    explicit Started(std::string commandLine) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &Info);
    }
    ~Started() {
        if (Info.hProcess != nullptr) {
            TerminateProcess(Info.hProcess, 0);
            WaitForSingleObject(Info.hProcess, 5000);
            CloseHandle(Info.hProcess);
            CloseHandle(Info.hThread);
        }
    }
};

struct Memory {
    double PrivateUsage = 0;  // GetProcessMemoryInfo's private bytes
    double PrivateCommit = 0; // committed private pages, found by walking the address space
};

// Wine does not fill in private bytes, so the committed private pages are counted as well.
inline Memory MemoryInMegabytes() {
    constexpr double Megabyte = 1024.0 * 1024.0;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof(counters));
    size_t committed = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* address = static_cast<const char*>(nullptr);
         VirtualQuery(address, &region, sizeof(region)) == sizeof(region);
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            committed += region.RegionSize;
        }
    }
    return {static_cast<double>(counters.PrivateUsage) / Megabyte,
            static_cast<double>(committed) / Megabyte};
}

// The process's shown layered window: a glaze process's frame.
inline HWND LayeredWindowOf(DWORD processId) {
    struct Search {
        DWORD Id;
        HWND Found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->Id && IsWindowVisible(window) &&
                (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0) {
                s->Found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// BINDIR's glaze_target.exe titled `title`, placed at (100, 100) with the size, framed by BINDIR's
// glaze.exe with the first skin. Program and Frame are null when either did not come up.
struct FramedTarget {
    FramedTarget(const std::string& binDir, const std::string& title, SIZE size)
        : Target("\"" + binDir + "\\glaze_target.exe\" \"" + binDir + "\\" + title + ".log\" " +
                 title) {
        Program = WaitForWindow([&] { return FindWindowA(nullptr, title.c_str()); });
        if (Program == nullptr) {
            return;
        }
        SetWindowPos(Program, nullptr, 100, 100, size.cx, size.cy, SWP_NOZORDER);
        FrameProcess.emplace("\"" + binDir + "\\glaze.exe\" " + title + "/A");
        Frame = WaitForWindow([&] { return LayeredWindowOf(FrameProcess->Info.dwProcessId); });
    }
    // Closes the frame through its own close, which gives the program back.
    void Close() const {
        PostMessageA(Frame, WM_CLOSE, 0, 0);
        WaitForSingleObject(FrameProcess->Info.hProcess, 5000);
    }
    Started Target;
    std::optional<Started> FrameProcess;
    HWND Program = nullptr;
    HWND Frame = nullptr;
};

} // namespace glaze::bench
