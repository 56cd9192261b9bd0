// glaze_resident_bench BINDIR [RUNS [all|framing|open|junk]]
// What the resident glaze adds to framing a window, and what it costs while nothing happens,
// under Wine. BINDIR's glaze.exe and SKIN are copied into a temporary directory with a rules.ini
// whose one rule names this program's windows.
//
// framing (RUNS times each, default 20):
//   - frame process alone: a window of this process is shown and glaze.exe "TITLE/A" started at
//     once; the time until the window lies in the frame and the frame is visible;
//   - resident glaze: with glaze.exe --resident running, a window of this process that the rule
//     matches is shown; the time until the window lies in its frame and the frame is visible.
// Then the resident's idle cost: its committed private memory (VirtualQueryEx over its address
// space, as Wine reads no private bytes for another process) and the processor time it takes
// during 30 idle seconds. Prints medians in milliseconds.
//
// open: 50 windows of this process are shown, 10 of them named by the rule, and the resident
// glaze started: the time until all 10 lie in their frames, and the most frame processes alive
// at once (RUNS times, at most 5; medians).
//
// junk: the resident glaze's committed private memory 3 s after its start, with a rules.ini of
// 50 MB of lines that are no rules, and with the one-rule file (BINDIR may hold an older
// glaze.exe: only glaze.exe and SKIN are used).

#include "BenchSupport.h"
#include "platform/AnsiText.h"

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace glaze;
using bench::Median;
using bench::PumpMessages;

namespace fs = std::filesystem;

namespace {

constexpr wchar_t FrameSuffix[] = L" - 模拟Glaze窗体*";

struct Started {
    PROCESS_INFORMATION Info{};
    explicit Started(const std::wstring& commandLine) {
        std::string line = ToAnsi(commandLine);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &Info);
    }
    ~Started() {
        if (Info.hProcess != nullptr) {
            if (WaitForSingleObject(Info.hProcess, 0) != WAIT_OBJECT_0) {
                TerminateProcess(Info.hProcess, 0);
            }
            CloseHandle(Info.hProcess);
            CloseHandle(Info.hThread);
        }
    }
};

// Waits, handling this thread's messages (the frame calls into the window it takes), until the
// condition holds; false after 20 s.
bool PumpUntil(const std::function<bool()>& condition) {
    const ULONGLONG end = GetTickCount64() + 20000;
    while (!condition()) {
        if (GetTickCount64() > end) {
            return false;
        }
        PumpMessages();
        Sleep(1);
    }
    return true;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e3 /
           static_cast<double>(frequency.QuadPart);
}

// Shows a new window with the title, runs `start`, and times until the window lies in a
// visible frame; then closes the frame and waits for the window to come back.
double TimeToFramed(const std::wstring& title, const std::function<void()>& start) {
    HWND window = CreateWindowExA(0, "STATIC", ToAnsi(title).c_str(), WS_OVERLAPPEDWINDOW, 100, 100,
                                  400, 300, nullptr, nullptr, nullptr, nullptr);
    LARGE_INTEGER shown;
    LARGE_INTEGER framed;
    QueryPerformanceCounter(&shown);
    ShowWindow(window, SW_SHOWNORMAL);
    start();
    HWND frame = nullptr;
    const bool ok = PumpUntil([&] {
        frame = FindWindowA(nullptr, ToAnsi(title + FrameSuffix).c_str());
        return frame != nullptr && IsWindowVisible(frame) &&
               GetAncestor(window, GA_PARENT) != GetDesktopWindow();
    });
    QueryPerformanceCounter(&framed);
    if (frame != nullptr) {
        PostMessageA(frame, WM_CLOSE, 0, 0);
        PumpUntil([&] { return GetAncestor(window, GA_PARENT) == GetDesktopWindow(); });
        PumpUntil([&] { return !IsWindow(frame); });
    }
    DestroyWindow(window);
    return ok ? Milliseconds(shown, framed) : -1;
}

double CommittedPrivateMegabytes(HANDLE process) {
    double bytes = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* address = nullptr;
         VirtualQueryEx(process, address, &region, sizeof region) == sizeof region;
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            bytes += static_cast<double>(region.RegionSize);
        }
    }
    return bytes / (1024.0 * 1024.0);
}

double ProcessorMilliseconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return -1;
    }
    const auto ticks = [](FILETIME t) {
        return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 1e4;
}

// The glaze.exe processes of the application directory's copy running now, the resident
// included.
int GlazeProcesses() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    int count = 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        count += _wcsicmp(entry.szExeFile, L"glaze.exe") == 0 ? 1 : 0;
    }
    CloseHandle(snapshot);
    return count;
}

void WriteRulesFile(const fs::path& app, const std::string& text) {
    std::ofstream(app / L"rules.ini", std::ios::binary) << text;
}

constexpr char OneRule[] =
    "[RULE1]\r\nPROGRAM=glaze_resident_bench.exe\r\nTITLE=bench *\r\nSKIN=Aurora\r\n";

void MeasureFraming(const std::wstring& glaze, const fs::path& binDir, const fs::path& app,
                    int runs);

// 50 windows shown, 10 of them named by the rule, before the resident glaze starts.
void MeasureOpenWindows(const std::wstring& glaze, int runs) {
    std::vector<double> times;
    std::vector<double> most;
    for (int run = 0; run < std::min(runs, 5); ++run) {
        std::vector<HWND> windows;
        std::vector<HWND> named;
        for (int i = 0; i < 50; ++i) {
            const std::wstring title =
                (i % 5 == 0 ? L"bench open " : L"other ") + std::to_wstring(i);
            const HWND window =
                CreateWindowExA(0, "STATIC", ToAnsi(title).c_str(), WS_OVERLAPPEDWINDOW, 20 + i * 4,
                                20 + i * 4, 300, 200, nullptr, nullptr, nullptr, nullptr);
            ShowWindow(window, SW_SHOWNOACTIVATE);
            windows.push_back(window);
            if (i % 5 == 0) {
                named.push_back(window);
            }
        }
        PumpMessages();
        LARGE_INTEGER started;
        LARGE_INTEGER framed;
        QueryPerformanceCounter(&started);
        int starting = 0;
        {
            Started resident(glaze + L" --resident");
            const bool ok = PumpUntil([&] {
                const auto inFrames = std::count_if(named.begin(), named.end(), [](HWND window) {
                    return GetAncestor(window, GA_PARENT) != GetDesktopWindow();
                });
                // Frame processes that do not hold their window yet.
                starting = std::max(starting, GlazeProcesses() - 1 - static_cast<int>(inFrames));
                return inFrames == static_cast<long long>(named.size());
            });
            QueryPerformanceCounter(&framed);
            times.push_back(ok ? Milliseconds(started, framed) : -1);
            most.push_back(starting);
            PostMessageA(FindWindowA("GlazeResident", nullptr), WM_CLOSE, 0, 0);
            WaitForSingleObject(resident.Info.hProcess, 5000);
        }
        // Every frame closed, every window back.
        for (const HWND window : named) {
            if (const HWND frame =
                    FindWindowA(nullptr, ToAnsi(WindowTitle(window) + FrameSuffix).c_str())) {
                PostMessageA(frame, WM_CLOSE, 0, 0);
            }
        }
        PumpUntil([&] {
            return GlazeProcesses() == 0 &&
                   std::all_of(named.begin(), named.end(), [](HWND window) {
                       return GetAncestor(window, GA_PARENT) == GetDesktopWindow();
                   });
        });
        for (const HWND window : windows) {
            DestroyWindow(window);
        }
    }
    std::printf("50 open windows, 10 named by the rule, resident glaze started: all 10 framed in "
                "%.0f ms (median of %zu); at most %.0f frame processes starting at once, 10 alive "
                "at the end\n",
                Median(times), times.size(), Median(most));
}

// The resident glaze's memory with a rules.ini of 50 MB of junk, and with one rule.
void MeasureJunk(const std::wstring& glaze, const fs::path& app) {
    const auto residentMegabytes = [&] {
        Started resident(glaze + L" --resident");
        Sleep(3000);
        const double megabytes = CommittedPrivateMegabytes(resident.Info.hProcess);
        PostMessageA(FindWindowA("GlazeResident", nullptr), WM_CLOSE, 0, 0);
        WaitForSingleObject(resident.Info.hProcess, 5000);
        return megabytes;
    };
    {
        std::ofstream junk(app / L"rules.ini", std::ios::binary);
        for (int line = 0; junk.tellp() < 50 * 1024 * 1024; ++line) {
            junk << "this line of junk is no rule at all, number " << line << "\r\n";
        }
    }
    const double withJunk = residentMegabytes();
    WriteRulesFile(app, OneRule);
    const double withOneRule = residentMegabytes();
    std::printf("resident glaze, committed private memory 3 s after its start: %.1f MB with a "
                "50 MB junk rules.ini, %.1f MB with one rule\n",
                withJunk, withOneRule);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: glaze_resident_bench BINDIR [RUNS]\n");
        return 2;
    }
    const fs::path binDir = FromAnsi(argv[1]);
    const int runs = argc > 2 ? std::max(3, std::atoi(argv[2])) : 20;

    wchar_t temp[MAX_PATH]{};
    GetTempPathW(MAX_PATH, temp);
    const fs::path app = fs::path(temp) / L"glaze-resident-bench";
    fs::remove_all(app);
    fs::create_directories(app);
    fs::copy_file(binDir / L"glaze.exe", app / L"glaze.exe");
    fs::copy(binDir / L"SKIN", app / L"SKIN", fs::copy_options::recursive);
    WriteRulesFile(app, OneRule);
    const std::wstring glaze = L"\"" + (app / L"glaze.exe").wstring() + L"\"";
    const std::string what = argc > 3 ? argv[3] : "all";
    if (what == "all" || what == "framing") {
        MeasureFraming(glaze, binDir, app, runs);
    }
    if (what == "all" || what == "open") {
        MeasureOpenWindows(glaze, runs);
    }
    if (what == "all" || what == "junk") {
        MeasureJunk(glaze, app);
    }
    fs::remove_all(app);
    return 0;
}

namespace {

void MeasureFraming(const std::wstring& glaze, const fs::path& binDir, const fs::path& app,
                    int runs) {
    // Both kinds of runs take turns while the resident glaze runs, so that both see the same
    // machine; the rule does not name the windows framed by a frame process alone.
    std::vector<double> alone;
    std::vector<double> watched;
    double startMegabytes = 0;
    double privateMegabytes = 0;
    double floorMegabytes = 0;
    double busyProcessor = 0;
    double idleProcessor = 0;
    {
        Started resident(glaze + L" --resident");
        Sleep(2000);
        startMegabytes = CommittedPrivateMegabytes(resident.Info.hProcess);
        const double start = ProcessorMilliseconds(resident.Info.hProcess);
        for (int run = 0; run < runs; ++run) {
            const std::wstring title = L"solo " + std::to_wstring(run);
            std::unique_ptr<Started> frame;
            alone.push_back(TimeToFramed(
                title, [&] { frame = std::make_unique<Started>(glaze + L" " + title + L"/A"); }));
            watched.push_back(TimeToFramed(L"bench " + std::to_wstring(run), [] {}));
        }
        busyProcessor = ProcessorMilliseconds(resident.Info.hProcess) - start;
        Sleep(3000);
        privateMegabytes = CommittedPrivateMegabytes(resident.Info.hProcess);
        const double before = ProcessorMilliseconds(resident.Info.hProcess);
        Sleep(30000);
        idleProcessor = ProcessorMilliseconds(resident.Info.hProcess) - before;
        PostMessageA(FindWindowA("GlazeResident", nullptr), WM_CLOSE, 0, 0);
        WaitForSingleObject(resident.Info.hProcess, 5000);
    }
    {
        // The floor: the smallest window program there is here, the tests' target program.
        Started target(L"\"" + (binDir / L"glaze_target.exe").wstring() + L"\" \"" +
                       (app / L"target.log").wstring() + L"\" floor");
        Sleep(3000);
        floorMegabytes = CommittedPrivateMegabytes(target.Info.hProcess);
    }
    std::printf("window shown -> frame visible, median of %d (ms)\n", runs);
    std::printf("  frame process started at once: %.1f\n", Median(alone));
    std::printf("  resident glaze watching:       %.1f\n", Median(watched));
    std::printf("resident glaze: committed private memory %.1f MB at its start, %.1f MB after the "
                "runs (a bare window program: %.1f MB)\n",
                startMegabytes, privateMegabytes, floorMegabytes);
    std::printf("resident glaze: processor time %.1f ms over the %d framed windows, %.1f ms in 30 "
                "idle seconds\n",
                busyProcessor, runs, idleProcessor);
}

} // namespace
