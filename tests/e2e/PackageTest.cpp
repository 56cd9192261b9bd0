// The 64-bit release package as a user gets it: unpacked into an empty directory (by the
// package.unpack step of the test run) and started from there.

#include "GlazeVersion.h"
#include "PanelWindows.h"
#include "platform/AnsiText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace glaze::e2e {
namespace {

std::wstring FileVersionOf(const std::wstring& path) {
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (block.empty() ||
        !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size)) {
        return L"none";
    }
    return std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
           std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
           std::to_wstring(HIWORD(fixed->dwFileVersionLS));
}

TEST(ReleasePackage, StartsFromItsUnpackedDirectoryWithTheBundledSkins) {
    const wchar_t* unpacked = _wgetenv(L"GLAZE_UNPACKED_PACKAGE");
    ASSERT_NE(unpacked, nullptr) << "the test run sets GLAZE_UNPACKED_PACKAGE";
    const std::filesystem::path dir(unpacked);
    for (const wchar_t* file : {L"README.zh-CN.txt", L"LICENSE.txt", L"SKIN"}) {
        EXPECT_TRUE(std::filesystem::exists(dir / file)) << dir / file;
    }
    const std::wstring exe = (dir / L"glaze.exe").wstring();
    const std::wstring version = L"" GLAZE_VERSION_TEXT;
    EXPECT_EQ(FileVersionOf(exe), version);

    ScreenshotOnFailure screenshot;
    SetForegroundWindow(GetDesktopWindow());
    Process panel(L"\"" + exe + L"\"");
    const GlazeWindows windows = WaitForGlazeWindows(panel);
    ASSERT_NE(windows.Content, nullptr);
    EXPECT_EQ(ComboEntries(SkinListOf(windows.Content)),
              (std::vector<std::wstring>{L"Aurora", L"Graphite", L"Jade"}));
    const std::wstring credits = TextOf(ControlOf(windows.Content, CreditsTextId));
    EXPECT_EQ(credits.rfind(L"glaze 玻璃窗框 " + version + L"\r\n", 0), 0u) << ToAnsi(credits);
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(panel.WaitForExit(10s).has_value());
}

} // namespace
} // namespace glaze::e2e
