#include "PanelWindows.h"

#include "../win/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace glaze::e2e {
namespace {

// The bundled skins' borders around the content window.
constexpr int AuroraMarginLeft = 14, AuroraMarginTop = 34, AuroraMarginH = 28, AuroraMarginV = 48;

class PanelStart : public ::testing::Test {
protected:
    void SetUp() override { SetForegroundWindow(GetDesktopWindow()); }

    // Starts the panel and waits until both of its windows are up.
    GlazeWindows StartPanel() {
        panel_ = std::make_unique<Process>(GlazeCommandLine(app, L""));
        return WaitForGlazeWindows(*panel_);
    }
    Process& Panel() { return *panel_; }
    // Closes the panel through its frame, as the skin's close button does, and waits for the end.
    void ClosePanel(const GlazeWindows& windows) {
        PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
        ASSERT_TRUE(panel_->WaitForExit(10s).has_value());
    }

    AppDir app;
    ScreenshotOnFailure screenshot;

private:
    std::unique_ptr<Process> panel_;
};

TEST_F(PanelStart, ShowsTheTopmostPanelInsideACaptionlessLayeredFrame) {
    app.CopyBundledSkins();
    const GlazeWindows windows = StartPanel();
    ASSERT_NE(windows.Frame, nullptr);
    ASSERT_NE(windows.Content, nullptr);

    EXPECT_EQ(TextOf(windows.Frame), L"模拟Glaze窗体*");
    EXPECT_EQ(TextOf(windows.Content), L"模拟Glaze窗体*");
    const auto frameStyle = GetWindowLongPtrW(windows.Frame, GWL_STYLE);
    const auto frameExStyle = GetWindowLongPtrW(windows.Frame, GWL_EXSTYLE);
    EXPECT_EQ(frameStyle & WS_CAPTION, 0);
    EXPECT_NE(frameExStyle & WS_EX_LAYERED, 0);
    EXPECT_NE(frameExStyle & WS_EX_TOPMOST, 0);
    EXPECT_NE(GetWindowLongPtrW(windows.Content, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    RECT client{};
    GetClientRect(windows.Content, &client);
    EXPECT_EQ(client.right, 350);
    EXPECT_EQ(client.bottom, 240);

    // The frame lies around the panel with the first skin's borders.
    RECT frame{}, content{};
    GetWindowRect(windows.Frame, &frame);
    GetWindowRect(windows.Content, &content);
    EXPECT_EQ(content.left - frame.left, AuroraMarginLeft);
    EXPECT_EQ(content.top - frame.top, AuroraMarginTop);
    EXPECT_EQ((frame.right - frame.left) - (content.right - content.left), AuroraMarginH);
    EXPECT_EQ((frame.bottom - frame.top) - (content.bottom - content.top), AuroraMarginV);
    SaveScreenshot(L"panel-start");
    ClosePanel(windows);
}

TEST_F(PanelStart, OffersTheTitleOfTheWindowInFront) {
    app.CopyBundledSkins();
    TargetProgram target(L"  前台的窗口 Front  ");
    ASSERT_NE(target.Window(), nullptr);
    SetForegroundWindow(target.Window());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == target.Window(); }));
    const GlazeWindows windows = StartPanel();
    EXPECT_EQ(TextOf(TitleBoxOf(windows.Content)), L"前台的窗口 Front");
    ClosePanel(windows);
}

TEST_F(PanelStart, WithTheDesktopInFrontOffersTheSavedTitleOrTheComputer) {
    app.CopyBundledSkins();
    {
        const GlazeWindows windows = StartPanel();
        EXPECT_EQ(TextOf(TitleBoxOf(windows.Content)), L"计算机");
        ClosePanel(windows);
    }
    test::WriteAnsiFile(app.MysetIni(), L"[SETTING]\r\nSAVE=1\r\nWindowText=保存的 标题\r\n");
    SetForegroundWindow(GetDesktopWindow());
    const GlazeWindows windows = StartPanel();
    EXPECT_EQ(TextOf(TitleBoxOf(windows.Content)), L"保存的 标题");
    ClosePanel(windows);
}

TEST_F(PanelStart, ListsOnlyDirectoriesWithASkinDescriptionInAlphabeticalOrder) {
    app.CopySkinAs(L"Jade", L"beta");
    app.CopySkinAs(L"Graphite", L"Alpha");
    std::filesystem::create_directories(app.SkinDir() + L"\\NoDescription");
    test::WriteAnsiFile(app.SkinDir() + L"\\NoDescription\\frame.png", L"");
    test::WriteAnsiFile(app.SkinDir() + L"\\skin.ini", L"[SKININFO]\r\n");
    const GlazeWindows windows = StartPanel();
    EXPECT_EQ(ComboEntries(SkinListOf(windows.Content)),
              (std::vector<std::wstring>{L"Alpha", L"beta"}));
    ClosePanel(windows);
}

TEST_F(PanelStart, ASavedSkinBeyondTheListSelectsTheFirst) {
    app.CopyBundledSkins();
    test::WriteAnsiFile(app.MysetIni(), L"[SETTING]\r\nSAVE=1\r\nAPPSTYL=5\r\nAPPQUIT=1\r\n");
    const GlazeWindows windows = StartPanel();
    EXPECT_EQ(SendMessageW(SkinListOf(windows.Content), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageW(CloseProgramBoxOf(windows.Content), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(SaveSettingsBoxOf(windows.Content), BM_GETCHECK, 0, 0), BST_CHECKED);
    ClosePanel(windows);
    // Saved again on closing: the index now names the first skin.
    const std::string saved = test::ReadRawFile(app.MysetIni());
    EXPECT_NE(saved.find("APPSTYL=0"), std::string::npos) << saved;
}

TEST_F(PanelStart, ClosingWithSaveTickedWritesTheSettings) {
    app.CopyBundledSkins();
    const GlazeWindows windows = StartPanel();
    HWND combo = SkinListOf(windows.Content);
    SendMessageW(SaveSettingsBoxOf(windows.Content), BM_CLICK, 0, 0);
    SendMessageW(CloseProgramBoxOf(windows.Content), BM_CLICK, 0, 0);
    // The user picks the second skin: the panel's frame takes it at once.
    RECT before{};
    GetWindowRect(windows.Frame, &before);
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    RECT after{};
    GetWindowRect(windows.Frame, &after);
    EXPECT_NE(after.right - after.left, before.right - before.left) << "Graphite has other borders";
    ClosePanel(windows);

    const std::string saved = test::ReadRawFile(app.MysetIni());
    EXPECT_NE(saved.find("SAVE=1"), std::string::npos) << saved;
    EXPECT_NE(saved.find("APPSTYL=1"), std::string::npos) << saved;
    EXPECT_NE(saved.find("APPQUIT=1"), std::string::npos) << saved;
}

TEST_F(PanelStart, ClosingWithSaveUntickedDeletesTheSettings) {
    app.CopyBundledSkins();
    test::WriteAnsiFile(app.MysetIni(), L"[SETTING]\r\nSAVE=0\r\nWindowText=x\r\n");
    const GlazeWindows windows = StartPanel();
    EXPECT_EQ(SendMessageW(SaveSettingsBoxOf(windows.Content), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ClosePanel(windows);
    EXPECT_FALSE(std::filesystem::exists(app.MysetIni()));
}

TEST_F(PanelStart, WithoutAnySkinSaysSoAndEnds) {
    Process panel(GlazeCommandLine(app, L""));
    const MessageBoxSeen box = WaitForMessageBox(panel);
    ASSERT_NE(box.Window, nullptr);
    EXPECT_EQ(box.Caption, L"错误");
    EXPECT_EQ(box.Text, L"没有皮肤文件可以加载！本程序将退出！");
    PostMessageW(box.Window, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(panel.WaitForExit(10s).has_value());
}

} // namespace
} // namespace glaze::e2e
