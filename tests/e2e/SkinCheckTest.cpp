// The skin checker of glaze-skin-preview against the program itself: whatever the checker says
// the program does with a skin, a control panel started with that skin does.

#include "PanelWindows.h"

#include "../win/TestSupport.h"
#include "platform/AnsiText.h"
#include "settings/SkinItemLine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace glaze::e2e {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    DWORD ExitCode = 0xFFFFFFFF;
    std::wstring Output;
};

// Runs a command line to its end and collects what it writes to standard output (UTF-8).
ToolRun RunTool(std::wstring commandLine) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ToolRun run;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        return run;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION info{};
    const bool started = StartWithRetries(
        [&] {
            return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                  CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info) != FALSE;
        },
        ToAnsi(commandLine));
    CloseHandle(writeEnd);
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (started && ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(readEnd);
    if (started) {
        // Its output ends when it does.
        WaitForSingleObject(info.hProcess, INFINITE);
        GetExitCodeProcess(info.hProcess, &run.ExitCode);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    run.Output.resize(bytes.size());
    run.Output.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                            run.Output.data(), static_cast<int>(run.Output.size()))));
    std::erase(run.Output, L'\r'); // line ends as lines
    return run;
}

std::wstring PreviewTool() {
    return L"\"" + (fs::path(BuildBinDir()) / L"glaze-skin-preview.exe").wstring() + L"\"";
}

ToolRun CheckSkin(const std::wstring& skinDir) {
    return RunTool(PreviewTool() + L" --check \"" + skinDir + L"\"");
}

// What a control panel started with only this skin does: shows itself, or refuses the skin
// with a message, whose text comes back.
std::optional<std::wstring> RefusalOfPanel(const AppDir& app) {
    Process panel(GlazeCommandLine(app, L""));
    bool refused = false;
    EXPECT_TRUE(WaitUntil([&] {
        for (HWND window : panel.Windows()) {
            if (!IsWindowVisible(window)) {
                continue;
            }
            refused = ClassOf(window) == L"#32770";
            if (refused || (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0) {
                return true;
            }
        }
        return false;
    })) << "neither the panel nor a message came up";
    if (!refused) {
        return std::nullopt;
    }
    return WaitForMessageBox(panel).Text;
}

std::string Narrow(const std::wstring& text) {
    return ToAnsi(text);
}

TEST(SkinCheck, FindsNothingToReportOnTheBundledSkinsAtAnyScale) {
    for (const auto& skin : fs::directory_iterator(fs::path(BuildBinDir()) / L"SKIN")) {
        for (const wchar_t* scale : {L"", L"--scale 1.5 "}) {
            const ToolRun run = RunTool(PreviewTool() + L" " + scale + L"--check \"" +
                                        skin.path().wstring() + L"\"");
            EXPECT_EQ(run.ExitCode, 0u) << Narrow(run.Output);
            EXPECT_NE(run.Output.find(L"the program loads this skin"), std::wstring::npos);
            EXPECT_NE(run.Output.find(L", 0 warnings)"), std::wstring::npos) << Narrow(run.Output);
            EXPECT_EQ(run.Output.find(L"at 144 DPI") != std::wstring::npos, *scale != 0);
        }
    }
}

// Items 1 to `last`, each a plain button.
std::wstring ManyItems(int32_t last) {
    std::wstring lines;
    for (int32_t item = 1; item <= last; ++item) {
        lines += SkinItemKey(item) + L"=0,20,11,26,18,0,0,more,none.png\r\n";
    }
    return lines;
}

TEST(SkinCheck, ReportsEachFaultAndRefusesExactlyTheSkinsTheProgramRefuses) {
    constexpr wchar_t Frame[] = L"SKINNUM0=0,14,34,14,14,0,0,frame,frame.png\r\n";
    constexpr wchar_t Close[] = L"SKINNUM1=3,-44,11,26,18,0,0,close,close.png\r\n";
    struct Case {
        std::wstring Skin;
        std::wstring Lines;
        std::vector<std::wstring> Reported;
    };
    const std::vector<Case> cases{
        {L"无框", Close, {L"refuses this skin at item 0: skin.ini has no SKINNUM0"}},
        {L"Eight",
         std::wstring(Frame) + Close + L"SKINNUM2=5,-128,11,26,18,0,0,next\r\n",
         {L"item 1 (close): action 3, x -44, y 11, width 26, height 18",
          L"refuses this skin at item 2: SKINNUM2 has 8 fields; an item needs 9"}},
        {L"Huge",
         std::wstring(Frame) + L"SKINNUM1=3,99999999999,11,26,18,0,0,close,close.png\r\n",
         {L"refuses this skin at item 1: field x of SKINNUM1 is a number beyond 32 bits"}},
        {L"Flawed",
         L"SKINNUM0=0,14,34,14,120,0,0,frame,frame.png\r\n"
         L"SKINNUM1=3,-44,11,25,18,0,0,close,close.png\r\n"
         L"SKINNUM2=2,380,11,26,18,0,0,max,max.png\r\n"
         L"SKINNUM3=1,-100,11,26,18,0,0,min,gone.png\r\n"
         L"SKINNUM4=5,-128,11,26,18,0,0,next,skin.ini\r\n"
         L"SKINNUM5=0,40000,11,26,18,0,0,far,max.png\r\n"
         L"SKINNUM6=0,20,11,26,18,0,0,huge,huge.png\r\n"
         L"SKINNUM7=0,20,11,26,18,0,0,vast,vast.png\r\n",
         {L"item 0: borders 28 x 154 (left + right, top + bottom) are larger than the image",
          L"item 1: image 104 px wide does not divide into cells of 25 px",
          L"item 2: at 380, 11 size 26 x 18 it reaches outside a 400 x 300 frame",
          L"item 3: image missing or empty: the item is shown transparent",
          L"item 4: image cannot be decoded: the item is shown transparent",
          L"item 5 (no action): action 0, x 32767,",
          L"item 5: x lies beyond +-32767: the program holds it there",
          L"item 6: image declares 20000 x 20000 pixels, more than the program decodes",
          L"item 7: image file of 40000000 bytes, larger than any picture the program decodes",
          L"item 1: close@2x.png is 104 x 18, not the 208 x 36 its scale needs",
          L"the program loads this skin (8 items, 10 warnings)"}},
        {L"Crowded",
         std::wstring(Frame) + ManyItems(MaxSkinItems),
         {L"warning: skin.ini has more than 1000 items (SKINNUM1000 and on): the program "
          L"ignores every item beyond the first 1000",
          L"the program loads this skin (1000 items, 1000 warnings)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.Skin));
        AppDir app;
        app.CopySkinAs(L"Aurora", c.Skin);
        const std::wstring dir = app.SkinDir() + L"\\" + c.Skin;
        test::WriteAnsiFile(dir + L"\\skin.ini", L"[SKININFO]\r\n" + c.Lines);
        // An image for twice the scale that is not twice the size.
        fs::copy_file(fs::path(dir) / L"min.png", fs::path(dir) / L"close@2x.png");
        // A picture whose header claims 20000 x 20000 pixels, and one of no particular size in a
        // file larger than any that is read.
        std::ofstream(fs::path(dir) / L"huge.png", std::ios::binary)
            .write("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x4e\x20\0\0\x4e\x20\x08\x06\0\0\0\0\0\0\0",
                   33);
        fs::copy_file(fs::path(dir) / L"max.png", fs::path(dir) / L"vast.png");
        fs::resize_file(fs::path(dir) / L"vast.png", 40000000);

        const ToolRun check = CheckSkin(dir);
        for (const std::wstring& line : c.Reported) {
            EXPECT_NE(check.Output.find(line), std::wstring::npos) << Narrow(line) << "\nnot in:\n"
                                                                   << Narrow(check.Output);
        }
        const std::optional<std::wstring> refusal = RefusalOfPanel(app);
        EXPECT_EQ(check.ExitCode != 0, refusal.has_value())
            << "exit code " << check.ExitCode << "\n"
            << Narrow(check.Output);
        if (refusal) {
            // The checker shows the program's own message, line for line.
            std::wstring message = *refusal;
            std::erase(message, L'\r');
            EXPECT_NE(check.Output.find(message), std::wstring::npos) << Narrow(check.Output);
        }
    }
}

TEST(SkinCheck, WatchingComposesAgainWhenASkinFileChanges) {
    AppDir app;
    app.CopySkinAs(L"Aurora", L"Edited");
    const std::wstring dir = app.SkinDir() + L"\\Edited";
    const std::wstring out = app.Dir() / L"preview.png";
    const auto picture = [&] {
        std::ifstream in{fs::path(out), std::ios::binary};
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    Process watch(PreviewTool() + L" --watch \"" + dir + L"\" 300 200 \"" + out + L"\"");
    ASSERT_TRUE(WaitUntil([&] { return !picture().empty(); }));
    Sleep(500); // the first picture is complete
    const std::string before = picture();
    // The author moves the close button.
    const std::string ini = test::ReadRawFile(dir + L"\\skin.ini");
    test::WriteAnsiFile(dir + L"\\skin.ini",
                        FromAnsi(ini.substr(0, ini.find("SKINNUM5="))) +
                            L"SKINNUM5=3,-80,11,26,18,0,0,close,close.png\r\n");
    EXPECT_TRUE(WaitUntil([&] {
        const std::string now = picture();
        return !now.empty() && now != before;
    }));
}

} // namespace
} // namespace glaze::e2e
