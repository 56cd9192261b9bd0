// Skins as a whole control panel process loads them: faulty skins end the process with a
// message naming the skin and the item, and every bundled skin dresses the panel with its
// buttons where the skin puts them.

#include "PanelWindows.h"

#include "../win/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <array>
#include <sstream>
#include <thread>

namespace glaze::e2e {
namespace {

// The first lines of a usable skin, copied from the bundled Aurora: the frame and the accent.
constexpr wchar_t FrameLine[] = L"SKINNUM0=0,14,34,14,14,0,0,frame,frame.png\r\n";
constexpr wchar_t AccentLine[] = L"SKINNUM1=0,14,32,214,152,1,1,accent,accent.png\r\n";

// Red pixels in the message box's icon: the error icon is a red disc, the others are yellow or
// blue.
int RedPixelsOfIcon(HWND box) {
    HWND icon = nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == L"Static" &&
            (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            icon = child;
        }
    }
    if (icon == nullptr) {
        return 0;
    }
    RECT rect{};
    GetWindowRect(icon, &rect);
    HDC screen = GetDC(nullptr);
    int red = 0;
    for (LONG y = rect.top; y < rect.bottom; ++y) {
        for (LONG x = rect.left; x < rect.right; ++x) {
            const COLORREF pixel = GetPixel(screen, x, y);
            red += GetRValue(pixel) > 150 && GetGValue(pixel) < 100 && GetBValue(pixel) < 100;
        }
    }
    ReleaseDC(nullptr, screen);
    return red;
}

class SkinLoad : public ::testing::Test {
protected:
    void SetUp() override { SetForegroundWindow(GetDesktopWindow()); }

    // The only skin of the application directory: Aurora's pictures with the given skin.ini.
    void WriteSkin(const std::wstring& name, const std::wstring& itemLines) {
        app.CopySkinAs(L"Aurora", name);
        test::WriteAnsiFile(app.SkinDir() + L"\\" + name + L"\\skin.ini",
                            L"[SKININFO]\r\n" + itemLines);
    }

    AppDir app;
    ScreenshotOnFailure screenshot;
};

TEST_F(SkinLoad, AFaultyItemLineNamesTheSkinAndTheItemThenEndsTheProcess) {
    struct Case {
        std::wstring Skin;
        std::wstring Lines;
        int Item;
    };
    const std::array<Case, 2> cases{{
        {L"坏皮肤", AccentLine, 0}, // no frame line
        {L"Eight",
         std::wstring(FrameLine) + AccentLine +
             L"SKINNUM2=5,-128,11,26,18,0,0,next\r\n", // no file field
         2},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Item);
        std::filesystem::remove_all(app.SkinDir());
        std::filesystem::create_directories(app.SkinDir());
        WriteSkin(c.Skin, c.Lines);
        Process panel(GlazeCommandLine(app, L""));
        const MessageBoxSeen box = WaitForMessageBox(panel);
        ASSERT_NE(box.Window, nullptr);
        EXPECT_EQ(box.Caption, L"错误");
        EXPECT_EQ(box.Text, L"请检查当前皮肤文件的设置！\r\n皮肤文件:SKIN" + c.Skin +
                                L"\t控件序号: " + std::to_wstring(c.Item) + L"  无法加载！");
        EXPECT_GT(RedPixelsOfIcon(box.Window), 100);
        PostMessageW(box.Window, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(panel.WaitForExit(10s), std::optional<DWORD>(0));
    }
}

TEST_F(SkinLoad, AMissingPictureOnlyLeavesItsItemEmpty) {
    WriteSkin(L"Gappy", std::wstring(FrameLine) + AccentLine +
                            L"SKINNUM2=3,-44,11,26,18,0,0,close,gone.png\r\n");
    Process panel(GlazeCommandLine(app, L""));
    const GlazeWindows windows = WaitForGlazeWindows(panel);
    ASSERT_NE(windows.Frame, nullptr);
    for (HWND window : panel.Windows()) {
        EXPECT_NE(ClassOf(window), L"#32770") << "a message box";
    }
    // The item keeps its hit area all the same.
    RECT frame{};
    GetWindowRect(windows.Frame, &frame);
    HWND close = WindowFromPoint({frame.right - 44 + 5, frame.top + 11 + 5});
    EXPECT_EQ(GetParent(close), windows.Frame);
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(panel.WaitForExit(10s).has_value());
}

// An item of a skin as its skin.ini gives it.
struct ItemLine {
    int X = 0, Y = 0, Width = 0, Height = 0;
};

std::vector<ItemLine> ReadItemLines(const std::wstring& skinIni) {
    std::vector<ItemLine> items;
    for (int i = 0;; ++i) {
        wchar_t text[512]{};
        const std::wstring key = L"SKINNUM" + std::to_wstring(i);
        if (GetPrivateProfileStringW(L"SKININFO", key.c_str(), L"", text, 512, skinIni.c_str()) ==
            0) {
            return items;
        }
        std::wistringstream fields(text);
        ItemLine item;
        wchar_t comma = 0;
        int action = 0;
        fields >> action >> comma >> item.X >> comma >> item.Y >> comma >> item.Width >> comma >>
            item.Height;
        items.push_back(item);
    }
}

std::vector<std::array<LONG, 4>> VisibleChildRects(HWND parent) {
    std::vector<std::array<LONG, 4>> rects;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) {
            RECT r{};
            GetWindowRect(child, &r);
            rects.push_back({r.left, r.top, r.right - r.left, r.bottom - r.top});
        }
    }
    std::sort(rects.begin(), rects.end());
    return rects;
}

int ChildCount(HWND parent) {
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ++count;
    }
    return count;
}

TEST_F(SkinLoad, EveryBundledSkinDressesThePanelWithItsButtonsWhereTheSkinPutsThem) {
    app.CopyBundledSkins();
    Process panel(GlazeCommandLine(app, L""));
    const GlazeWindows windows = WaitForGlazeWindows(panel);
    ASSERT_NE(windows.Frame, nullptr);
    HWND combo = SkinListOf(windows.Content);
    const std::vector<std::wstring> skins = ComboEntries(combo);
    ASSERT_EQ(skins.size(), 3u);

    // Through every skin and back to the first: each load leaves exactly its own hit areas.
    for (size_t index : {1u, 2u, 0u}) {
        const std::wstring& name = skins[index];
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        SendMessageW(combo, CB_SETCURSEL, index, 0);
        SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        const std::vector<ItemLine> items =
            ReadItemLines(app.SkinDir() + L"\\" + name + L"\\skin.ini");
        ASSERT_GE(items.size(), 2u);

        RECT frame{}, content{};
        GetWindowRect(windows.Frame, &frame);
        GetWindowRect(windows.Content, &content);
        const ItemLine& borders = items[0];
        EXPECT_EQ(content.left - frame.left, borders.X);
        EXPECT_EQ(content.top - frame.top, borders.Y);
        EXPECT_EQ(frame.right - content.right, borders.Width);
        EXPECT_EQ(frame.bottom - content.bottom, borders.Height);

        // Negative places count from the right or bottom edge of the frame.
        std::vector<std::array<LONG, 4>> expected;
        for (size_t i = 1; i < items.size(); ++i) {
            const ItemLine& item = items[i];
            expected.push_back({(item.X < 0 ? frame.right : frame.left) + item.X,
                                (item.Y < 0 ? frame.bottom : frame.top) + item.Y, item.Width,
                                item.Height});
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(VisibleChildRects(windows.Frame), expected);
        EXPECT_EQ(ChildCount(windows.Frame), static_cast<int>(items.size()));

        std::this_thread::sleep_for(300ms); // the display catches up with the layered image
        SaveScreenshot(L"panel-skin-" + name);
    }
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(panel.WaitForExit(10s).has_value());
}

} // namespace
} // namespace glaze::e2e
