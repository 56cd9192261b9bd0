#include "TestSupport.h"

#include "frame/FollowFrame.h"
#include "frame/FrameLimits.h"
#include "frame/LoadedSkin.h"
#include "platform/AnsiText.h"
#include "settings/RunSettings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace glaze::test {
namespace {

// glaze speaks the Simplified-Chinese ANSI code page (936), as its users' Windows does, and the
// tests' titles and files are written in it. On a Windows of another code page (an English one,
// say) every test is skipped with that reason before it starts.
class ChineseCodePageOnly : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        if (GetACP() != 936) {
            GTEST_SKIP() << "glaze and its tests need the Simplified-Chinese code page (936); this "
                            "Windows has "
                         << GetACP() << ": set its system locale to Chinese (Simplified, China)";
        }
    }
};
const bool codePageChecked = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new ChineseCodePageOnly);
    return true;
}();

} // namespace

void ResetProcessValues() {
    TheRun() = {};
    TheLoadedSkin() = {};
    FollowFrame::Values() = {};
    FrameLimits::Values() = {};
}

bool ChangeDisplayTo(int width, int height) {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL;
}

namespace {

void TellWorkAreaChanged() {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0, SMTO_ABORTIFHUNG,
                        2000, &answer);
}

} // namespace

TaskbarAlongTheBottom::TaskbarAlongTheBottom(int height)
    : bar_(FindWindowW(L"Shell_TrayWnd", nullptr)) {
    GetWindowRect(bar_, &was_);
    shown_ = IsWindowVisible(bar_) != FALSE;
    SetWindowPos(bar_, nullptr, 0, GetSystemMetrics(SM_CYSCREEN) - height,
                 GetSystemMetrics(SM_CXSCREEN), height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    TellWorkAreaChanged();
}

TaskbarAlongTheBottom::~TaskbarAlongTheBottom() {
    SetWindowPos(bar_, nullptr, was_.left, was_.top, was_.right - was_.left, was_.bottom - was_.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (shown_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    TellWorkAreaChanged();
}

TempDir::TempDir(std::wstring_view namePrefix) {
    static int counter = 0;
    const std::wstring name = std::wstring(namePrefix) + L"-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter);
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Hidden, system and read-only files must go too.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::filesystem::remove_all(path_, ignored);
}

void WriteAnsiFile(const std::wstring& path, std::wstring_view text) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    const std::string bytes = ToAnsi(text);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadRawFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool UnderWine() {
    // Wine's ntdll tells its version; Windows' has no such entry.
    static const bool underWine =
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return underWine;
}

std::filesystem::path TestProgramDir() {
    wchar_t path[MAX_PATH]{};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path();
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

PlainWindow::PlainWindow(std::wstring_view title, bool visible)
    : hwnd_(CreateWindowExA(0, "STATIC", ToAnsi(title).c_str(),
                            WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 50, 50, 200, 100,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}

PlainWindow::~PlainWindow() {
    DestroyWindow(hwnd_);
}

} // namespace glaze::test
