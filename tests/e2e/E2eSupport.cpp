#include "E2eSupport.h"

#include "platform/AnsiText.h"
#include "platform/Canvas.h"
#include "platform/GdiPlus.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace glaze::e2e {

namespace fs = std::filesystem;

std::wstring BuildBinDir() {
    wchar_t path[MAX_PATH]{};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path().wstring();
}

AppDir::AppDir(const std::wstring& program) {
    fs::copy_file(fs::path(BuildBinDir()) / program, Exe());
    fs::create_directories(SkinDir());
}

void AppDir::CopyBundledSkins() const {
    fs::copy(fs::path(BuildBinDir()) / L"SKIN", SkinDir(), fs::copy_options::recursive);
}

void AppDir::CopySkinAs(const std::wstring& from, const std::wstring& name) const {
    fs::copy(fs::path(BuildBinDir()) / L"SKIN" / from, fs::path(SkinDir()) / name,
             fs::copy_options::recursive);
}

void AppDir::WriteFilledCentreSkin(const std::wstring& name) const {
    CopySkinAs(L"Aurora", name);
    const std::wstring ini = SkinDir() + L"\\" + name + L"\\skin.ini";
    std::string text = test::ReadRawFile(ini);
    const std::string frameLine = "SKINNUM0=0,14,34,14,14,0,";
    const size_t at = text.find(frameLine);
    ASSERT_NE(at, std::string::npos) << text;
    text[at + frameLine.size()] = '1';
    test::WriteAnsiFile(ini, FromAnsi(text));
}

std::wstring GlazeCommandLine(const AppDir& app, const std::wstring& argumentText) {
    std::wstring line = L"\"" + app.Exe() + L"\"";
    if (!argumentText.empty()) {
        line += L" " + argumentText;
    }
    return line;
}

Process::Process(const std::wstring& commandLine) {
    // Through the A interface, as the program itself starts frames: titles cross in the
    // ANSI code page.
    std::string line = ToAnsi(commandLine);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    StartWithRetries(
        [&] {
            return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &info_) != FALSE;
        },
        line);
}

bool StartWithRetries(const std::function<bool()>& start, const std::string& what) {
    const int attempts = test::UnderWine() ? 3 : 1;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (start()) {
            return true;
        }
        Sleep(200);
    }
    ADD_FAILURE() << "could not start: " << what << " (error " << GetLastError() << ")";
    return false;
}

Process::~Process() {
    if (info_.hProcess != nullptr) {
        if (Running()) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
}

bool Process::Running() const {
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitForExit(std::chrono::milliseconds timeout) const {
    if (info_.hProcess == nullptr ||
        WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::vector<HWND> Process::Windows() const {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{info_.dwProcessId, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == s->pid) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitFor(const std::function<HWND()>& find, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (HWND found = find()) {
            return found;
        }
        if (std::chrono::steady_clock::now() > end) {
            return nullptr;
        }
        test::PumpMessages();
        std::this_thread::sleep_for(20ms);
    }
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    return WaitFor([&] { return condition() ? reinterpret_cast<HWND>(1) : nullptr; }, timeout) !=
           nullptr;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256]{};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    text.resize(copied);
    return text;
}

HWND ChildWithId(HWND parent, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (GetDlgCtrlID(window) == s->id) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RECT ClientRectOnScreen(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

namespace {

// The program to run: the build's own, or a copy of it under another name beside the log.
std::wstring TargetExecutable(const test::TempDir& dir, const std::wstring& programName) {
    const fs::path built = fs::path(BuildBinDir()) / L"glaze_target.exe";
    if (programName == L"glaze_target.exe") {
        return built.wstring();
    }
    const std::wstring copy = dir / programName;
    fs::copy_file(built, copy, fs::copy_options::overwrite_existing);
    return copy;
}

} // namespace

TargetProgram::TargetProgram(const std::wstring& title, const std::wstring& options,
                             const std::wstring& programName)
    : logPath_(dir_ / L"target.log"), process_(L"\"" + TargetExecutable(dir_, programName) +
                                               L"\" " + (options.empty() ? L"" : options + L" ") +
                                               L"\"" + logPath_ + L"\" \"" + title + L"\"") {
    // The window the program reports, not the first of that title: it may have hidden twins.
    window_ = WaitFor([&] {
        for (const std::string& line : Log()) {
            const size_t at = line.find(" hwnd=0x");
            if (line.rfind("START", 0) == 0 && at != std::string::npos) {
                return reinterpret_cast<HWND>(std::stoull(line.substr(at + 8), nullptr, 16));
            }
        }
        return HWND{};
    });
}

bool TargetProgram::HasKeyboard() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetForegroundWindow() == window_ &&
           GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) &&
           info.hwndFocus == TextBox();
}

std::vector<std::string> TargetProgram::Log() const {
    std::ifstream in{fs::path(logPath_)};
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string TargetProgram::LogText() const {
    std::string text;
    for (const auto& line : Log()) {
        text += line + "\n";
    }
    return text;
}

bool TargetProgram::LogContains(const std::string& line) const {
    for (const auto& entry : Log()) {
        if (entry.rfind(line, 0) == 0) {
            return true;
        }
    }
    return false;
}

std::wstring SaveScreenshot(const std::wstring& name) {
    const fs::path dir = fs::path(BuildBinDir()).parent_path() / L"test-results" / L"screenshots";
    fs::create_directories(dir);
    const std::wstring path = (dir / (name + L".png")).wstring();
    const BITMAPINFO info = MakeScreenBitmapInfo();
    HDC screen = GetDC(nullptr);
    Canvas canvas = CreateCanvas(screen, info);
    BitBlt(canvas, 0, 0, info.bmiHeader.biWidth, info.bmiHeader.biHeight, screen, 0, 0, SRCCOPY);
    ReleaseDC(nullptr, screen);
    // The screen has no alpha of its own: make it opaque for the picture.
    std::vector<uint32_t> pixels(static_cast<size_t>(info.bmiHeader.biWidth) *
                                 static_cast<size_t>(info.bmiHeader.biHeight));
    BITMAPINFO read = info;
    HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(canvas, OBJ_BITMAP));
    GetDIBits(canvas, bitmap, 0, static_cast<UINT>(info.bmiHeader.biHeight), pixels.data(), &read,
              DIB_RGB_COLORS);
    for (auto& pixel : pixels) {
        pixel |= 0xFF000000u;
    }
    SetDIBits(canvas, bitmap, 0, static_cast<UINT>(info.bmiHeader.biHeight), pixels.data(), &read,
              DIB_RGB_COLORS);
    const GdiPlusSession gdiPlus;
    SaveCanvasAsPng(canvas, info.bmiHeader.biWidth, info.bmiHeader.biHeight, path);
    return path;
}

ScreenshotOnFailure::~ScreenshotOnFailure() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (test != nullptr && test->result()->Failed()) {
        const std::string name = std::string(test->test_suite_name()) + "." + test->name();
        const std::wstring path = SaveScreenshot(std::wstring(name.begin(), name.end()));
        std::printf("screenshot: %ls\n", path.c_str());
    }
}

} // namespace glaze::e2e
