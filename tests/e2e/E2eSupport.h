#pragma once
// Whole glaze.exe processes under test: a private application directory, processes started
// and ended by their handles, windows found by process, texts read across processes.

#include "../target/TargetRequests.h"
#include "../win/TestSupport.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace glaze::e2e {

using namespace std::chrono_literals;

// The directory of the test program, where the build puts glaze.exe, its SKIN directory and
// the target program.
std::wstring BuildBinDir();

// A private application directory: a copy of glaze.exe with its own SKIN directory and
// myset.ini; nothing is ever written into the build tree.
class AppDir {
public:
    // `program` is the build's executable to run as glaze.exe: glaze_faults.exe for the tests
    // that set off faults inside the program.
    explicit AppDir(const std::wstring& program = L"glaze.exe");
    const test::TempDir& Dir() const { return dir_; }
    std::wstring Exe() const { return dir_ / L"glaze.exe"; }
    std::wstring SkinDir() const { return dir_ / L"SKIN"; }
    std::wstring MysetIni() const { return dir_ / L"myset.ini"; }
    void CopyBundledSkins() const;
    // A skin named `name` copied from the bundled skin `from`.
    void CopySkinAs(const std::wstring& from, const std::wstring& name) const;
    // Aurora as `name`, its frame image stretched over the interior too: glass behind the
    // content window, which takes every click that reaches it.
    void WriteFilledCentreSkin(const std::wstring& name) const;

private:
    test::TempDir dir_{L"glaze-app"};
};

// Runs `start`, a CreateProcess call, until it succeeds: under a loaded machine Wine now and then
// refuses a start that succeeds a moment later. A start that never succeeds fails the test,
// named `what` and the system's error.
bool StartWithRetries(const std::function<bool()>& start, const std::string& what);

class Process {
public:
    // Starts the command line; the process is ended by its handle when the object goes.
    explicit Process(const std::wstring& commandLine);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    bool Running() const;
    // The exit code once the process has ended within the time, else nothing.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout) const;
    // The process's top-level windows, visible or not.
    std::vector<HWND> Windows() const;

private:
    PROCESS_INFORMATION info_{};
};

// Starts glaze.exe of the application directory with the argument text.
std::wstring GlazeCommandLine(const AppDir& app, const std::wstring& argumentText);

// Polls until the function gives a window (or true), pumping this thread's messages.
HWND WaitFor(const std::function<HWND()>& find, std::chrono::milliseconds timeout = 10s);
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

// Window facts read across processes.
std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window); // WM_GETTEXT through the wide interface
HWND ChildWithId(HWND parent, int id);
RECT ClientRectOnScreen(HWND window);

// The ordinary framed program used by the tests, logging what it lives through.
class TargetProgram {
public:
    // Requests the tests post to its window.
    static constexpr UINT HangRequest = target::HangRequest;
    static constexpr UINT CloseRequest = target::CloseRequest;
    static constexpr UINT ExitRequest = target::ExitRequest;
    static constexpr UINT DialogRequest = target::DialogRequest;
    static constexpr UINT ResizeRequest = target::ResizeRequest;
    static constexpr UINT RetitleRequest = target::RetitleRequest;
    static constexpr UINT ShowRequest = target::ShowRequest;
    static constexpr UINT FullScreenRequest = target::FullScreenRequest;
    static constexpr UINT ModalRequest = target::ModalRequest;

    // Its shape, as glaze_target.exe's options: "--ask" asks to save before it closes, with a
    // message box the test answers; "--owned" makes its main window a popup owned by a hidden
    // window of the same title; "--twin" puts a hidden window of the same title in front of it.
    // programName: the program runs as a copy with this file name.
    explicit TargetProgram(const std::wstring& title, const std::wstring& options = L"",
                           const std::wstring& programName = L"glaze_target.exe");
    HWND Window() const { return window_; }
    // Its text box, which has the focus whenever the program has the keyboard.
    HWND TextBox() const { return FindWindowExW(window_, nullptr, L"Edit", nullptr); }
    // Whether it has the keyboard: in front, with the focus in its text box, as a user sees it
    // before typing.
    bool HasKeyboard() const;
    std::vector<std::string> Log() const;
    std::string LogText() const; // the whole log, for failure messages
    bool LogContains(const std::string& line) const;
    Process& Proc() { return process_; }

private:
    test::TempDir dir_{L"glaze-target"};
    std::wstring logPath_;
    Process process_;
    HWND window_ = nullptr;
};

// Saves a picture of the whole display under test-results/screenshots/NAME.png.
std::wstring SaveScreenshot(const std::wstring& name);

// Saves a screenshot named after the current test when it has failed.
class ScreenshotOnFailure {
public:
    ~ScreenshotOnFailure();
};

} // namespace glaze::e2e
