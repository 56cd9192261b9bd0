#pragma once
// Helpers for the Windows tests: real files in private temporary directories, real windows.

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace glaze::test {

// A fresh directory under the temporary directory, removed with everything in it at the end.
class TempDir {
public:
    explicit TempDir(std::wstring_view namePrefix = L"glaze-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The directory's path with a closing backslash, as the program writes directories.
    std::wstring WithBackslash() const { return path_.wstring() + L"\\"; }
    std::wstring operator/(std::wstring_view name) const { return (path_ / name).wstring(); }

private:
    std::filesystem::path path_;
};

// Writes the text in the ANSI code page, as the profile files are stored.
void WriteAnsiFile(const std::wstring& path, std::wstring_view text);
std::string ReadRawFile(const std::wstring& path);

// Every process-wide value back as at start: the run's settings, the loaded skin, the hooks'.
void ResetProcessValues();

// Whether the tests run under Wine rather than on Windows: the few things only Wine needs of them
// are done only there.
bool UnderWine();

// The directory of the running test program, where the built program and its skins lie too.
std::filesystem::path TestProgramDir();

// Handles whatever messages are waiting for this thread.
void PumpMessages();

// The display's size as a user changes it (or docks a larger monitor): inside Wine's virtual
// desktop the desktop takes it at once and every window hears of it. True when it was taken.
bool ChangeDisplayTo(int width, int height);

// The display's size comes back as the test found it, whatever happens: the other tests count
// on it.
class DisplayAsFound {
public:
    DisplayAsFound() = default;
    ~DisplayAsFound() { ChangeDisplayTo(size_.cx, size_.cy); }
    DisplayAsFound(const DisplayAsFound&) = delete;
    DisplayAsFound& operator=(const DisplayAsFound&) = delete;

private:
    SIZE size_{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
};

// The shell's taskbar shown along the bottom of the screen for as long as the object lives, the
// news of the changed work area told to every window as the shell tells it. (Wine keeps each
// process's work area apart: the taskbar is what every process sees change.)
class TaskbarAlongTheBottom {
public:
    explicit TaskbarAlongTheBottom(int height);
    ~TaskbarAlongTheBottom();
    TaskbarAlongTheBottom(const TaskbarAlongTheBottom&) = delete;
    TaskbarAlongTheBottom& operator=(const TaskbarAlongTheBottom&) = delete;
    bool Found() const { return bar_ != nullptr; }

private:
    HWND bar_;
    RECT was_{};
    bool shown_ = false;
};

// A plain top-level window of this process, for tests that look windows up.
class PlainWindow {
public:
    PlainWindow(std::wstring_view title, bool visible);
    ~PlainWindow();
    PlainWindow(const PlainWindow&) = delete;
    PlainWindow& operator=(const PlainWindow&) = delete;
    HWND Hwnd() const { return hwnd_; }

private:
    HWND hwnd_;
};

} // namespace glaze::test
