#include "PanelWindows.h"

#include "platform/AnsiText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace glaze::e2e {
namespace {

class Hosting : public ::testing::Test {
protected:
    void SetUp() override { app.CopyBundledSkins(); }

    AppDir app;
    ScreenshotOnFailure screenshot;
};

RECT WindowRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

TEST_F(Hosting, TakesTheWindowInWhereItsClientAreaWasAndGivesItBackWhereTheFrameLeftIt) {
    TargetProgram target(L"被框的程序 Hosted");
    ASSERT_NE(target.Window(), nullptr);
    SetWindowPos(target.Window(), nullptr, 200, 150, 420, 320, SWP_NOZORDER);
    const RECT clientBefore = ClientRectOnScreen(target.Window());
    const LONG styleBefore = GetWindowLongW(target.Window(), GWL_STYLE);

    Process frame(GlazeCommandLine(app, L"被框的程序 Hosted/A"));
    const GlazeWindows windows = WaitForGlazeWindows(frame);
    ASSERT_NE(windows.Frame, nullptr);
    ASSERT_TRUE(
        WaitUntil([&] { return GetAncestor(target.Window(), GA_PARENT) == windows.Content; }));
    EXPECT_EQ(GetWindowLongW(target.Window(), GWL_STYLE), WS_VISIBLE | WS_CLIPSIBLINGS);
    const RECT content = ClientRectOnScreen(windows.Content);
    EXPECT_EQ(content.left, clientBefore.left);
    EXPECT_EQ(content.top, clientBefore.top);
    EXPECT_EQ(content.right, clientBefore.right);
    EXPECT_EQ(content.bottom, clientBefore.bottom);
    // The captured window fills the content window.
    const RECT hosted = WindowRectOf(target.Window());
    EXPECT_EQ(hosted.left, content.left);
    EXPECT_EQ(hosted.right - hosted.left, content.right - content.left);

    // The user moves and enlarges the frame; the content window and the window follow.
    RECT frameRect = WindowRectOf(windows.Frame);
    SetWindowPos(windows.Frame, nullptr, frameRect.left + 40, frameRect.top + 30,
                 frameRect.right - frameRect.left + 100, frameRect.bottom - frameRect.top + 60,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT moved = ClientRectOnScreen(windows.Content);
    EXPECT_EQ(moved.right - moved.left, content.right - content.left + 100);
    ASSERT_TRUE(WaitUntil([&] {
        const RECT now = WindowRectOf(target.Window());
        return now.right - now.left == moved.right - moved.left;
    }));

    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(frame.WaitForExit(10s).has_value());
    // Given back, then minimised and restored once by posted commands: wait for it to settle
    // where the content window's client area was.
    const auto settled = [&] {
        const RECT now = ClientRectOnScreen(target.Window());
        return target.LogContains("SYSCOMMAND 0xf120") && !IsIconic(target.Window()) &&
               now.left == moved.left && now.top == moved.top;
    };
    EXPECT_TRUE(WaitUntil(settled)) << target.LogText();
    EXPECT_EQ(GetAncestor(target.Window(), GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetWindowLongW(target.Window(), GWL_STYLE) & ~WS_MINIMIZE, styleBefore);
    const RECT clientAfter = ClientRectOnScreen(target.Window());
    EXPECT_EQ(clientAfter.left, moved.left);
    EXPECT_EQ(clientAfter.top, moved.top);
    EXPECT_EQ(clientAfter.right - clientAfter.left, moved.right - moved.left);
    EXPECT_EQ(clientAfter.bottom - clientAfter.top, moved.bottom - moved.top);
    EXPECT_TRUE(target.LogContains("SYSCOMMAND 0xf020"));
    EXPECT_FALSE(target.LogContains("LOST DATA"));
    EXPECT_TRUE(target.Proc().Running());
}

TEST_F(Hosting, WithTheQuitOptionTheProgramIsToldToQuit) {
    TargetProgram target(L"被框的程序 Quits");
    ASSERT_NE(target.Window(), nullptr);
    Process frame(GlazeCommandLine(app, L"被框的程序 Quits/B/q"));
    const GlazeWindows windows = WaitForGlazeWindows(frame);
    ASSERT_NE(windows.Frame, nullptr);
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(frame.WaitForExit(10s).has_value());
    EXPECT_TRUE(target.Proc().WaitForExit(10s).has_value());
    EXPECT_TRUE(target.LogContains("QUIT"));
    EXPECT_FALSE(target.LogContains("SYSCOMMAND 0xf020"));
}

// A skin file may say anything: pictures declaring sixteen thousand pixels a side, of no size or
// no picture at all, every number at the ends of the 32-bit range, borders that leave the frame
// no interior or make it larger than any screen. The frame survives it, or fails with the skin
// message, and the window it took comes back whole.
TEST_F(Hosting, NoSkinFileLosesTheWindow) {
    const std::wstring skinDir = app.SkinDir() + L"\\Hostile";
    const auto writeBytes = [&](const wchar_t* name, std::initializer_list<uint8_t> bytes) {
        std::ofstream(std::filesystem::path(skinDir) / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(std::data(bytes)),
                   static_cast<std::streamsize>(bytes.size()));
    };
    struct Case {
        const wchar_t* Name;
        std::wstring Lines;
        bool Fails = false;
        bool SameSize = true; // false: borders below zero give the window a larger interior
    };
    constexpr wchar_t Extremes[] = L"2147483647,-2147483648,2147483647,-2147483648";
    const std::wstring frameLine = L"SKINNUM0=0,14,34,14,14,0,0,frame,frame.png\r\n";
    const Case cases[] = {
        {L"pictures", frameLine + L"SKINNUM1=3,-44,11,26,18,0,0,huge,huge.png\r\n"
                                  L"SKINNUM2=1,-70,11,26,18,0,0,none,zero.png\r\n"
                                  L"SKINNUM3=2,-96,11,26,18,1,0,bad,corrupt.png\r\n"},
        {L"numbers", frameLine + L"SKINNUM1=" + Extremes +
                         L",-2147483648,2147483647,-2147483648,x,min.png\r\n"
                         L"SKINNUM2=" +
                         Extremes +
                         L",-5,1,0,y,max.png\r\n"
                         L"SKINNUM3=2147483647,-30,11,-26,-18,0,1,z,close.png\r\n"},
        {L"borders larger than any screen",
         L"SKINNUM0=0,2147483647,2147483647,2147483647,2147483647,1,0,frame,frame.png\r\n"
         L"SKINNUM1=3,-44,11,26,18,0,0,close,close.png\r\n"},
        {L"borders that leave no interior", L"SKINNUM0=0,700,300,700,300,0,0,frame,frame.png\r\n"},
        {L"borders below zero",
         std::wstring(L"SKINNUM0=") + Extremes + L",-2147483648,1,2147483647,frame,frame.png\r\n",
         false, false},
        {L"a number beyond 32 bits", frameLine + L"SKINNUM1=0,99999999999,1,1,1,0,0,x,x.png\r\n",
         true},
    };

    TargetProgram target(L"被框的程序 Hostile");
    ASSERT_NE(target.Window(), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(ToAnsi(c.Name));
        std::filesystem::remove_all(app.SkinDir());
        std::filesystem::create_directories(app.SkinDir());
        app.CopySkinAs(L"Aurora", L"Hostile");
        writeBytes(L"huge.png",
                   {0x89, 'P', 'N', 'G',  '\r', '\n', 0x1A, '\n', 0,    0, 0, 13, 'I', 'H', 'D',
                    'R',  0,   0,   0x3E, 0x80, 0,    0,    0x3E, 0x80, 8, 6, 0,  0,   0});
        writeBytes(L"zero.png",
                   {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D',
                    'R',  0,   0,   0,   0,    0,    0,    0,    0, 8, 6, 0,  0,   0});
        writeBytes(L"corrupt.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 1, 2, 3});
        test::WriteAnsiFile(skinDir + L"\\skin.ini", L"[SKININFO]\r\n" + c.Lines);
        SetWindowPos(target.Window(), nullptr, 200, 150, 420, 320, SWP_NOZORDER);
        const RECT before = ClientRectOnScreen(target.Window());

        Process frame(GlazeCommandLine(app, L"被框的程序 Hostile/A"));
        if (c.Fails) {
            const MessageBoxSeen box = WaitForMessageBox(frame);
            ASSERT_NE(box.Window, nullptr);
            EXPECT_NE(box.Text.find(L"控件序号: 1"), std::wstring::npos);
            PostMessageW(box.Window, WM_COMMAND, IDOK, 0);
        } else {
            const GlazeWindows windows = WaitForGlazeWindows(frame);
            ASSERT_NE(windows.Frame, nullptr);
            EXPECT_EQ(GetAncestor(target.Window(), GA_PARENT), windows.Content);
            PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
        }
        ASSERT_TRUE(frame.WaitForExit(10s).has_value());
        const auto back = [&] {
            const RECT now = ClientRectOnScreen(target.Window());
            const bool whole = c.SameSize ? EqualRect(&now, &before) != FALSE
                                          : now.right - now.left >= before.right - before.left &&
                                                now.bottom - now.top >= before.bottom - before.top;
            return GetAncestor(target.Window(), GA_PARENT) == GetDesktopWindow() &&
                   !IsIconic(target.Window()) && whole;
        };
        EXPECT_TRUE(WaitUntil(back)) << target.LogText();
        EXPECT_TRUE(IsWindowVisible(target.Window()));
    }
    EXPECT_TRUE(target.Proc().Running());
    EXPECT_FALSE(target.LogContains("LOST DATA"));
}

} // namespace
} // namespace glaze::e2e
