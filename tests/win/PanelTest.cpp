#include "panel/ContentWindow.h"

#include "TestSupport.h"
#include "frame/FollowFrame.h"
#include "platform/Captions.h"
#include "settings/RunSettings.h"
#include "lifecycle/TheForms.h"
#include "panel/PictureBox.h"
#include "platform/AnsiText.h"
#include "platform/DpiScale.h"
#include "platform/Screens.h"
#include "platform/Scoped.h"
#include "GlazeVersion.h"
#include "res/resource.h"
#include "settings/HandOverFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <vector>

namespace glaze {
namespace {

namespace fs = std::filesystem;

// left, top, width, height
using Box = std::array<LONG, 4>;

// Where a control lies in its form's client area.
Box ClientBoxOf(HWND control, HWND form) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

LONG_PTR StyleOf(HWND window) {
    return GetWindowLongPtrA(window, GWL_STYLE);
}

int CheckOf(HWND box) {
    return static_cast<int>(SendMessageA(box, BM_GETCHECK, 0, 0));
}

// Pixels of text (darker than the notes' white face) in a box of the window's client area.
int InkIn(HWND window, const Box& box) {
    const WindowDc dc(window);
    int ink = 0;
    for (LONG y = box[1]; y < box[1] + box[3]; ++y) {
        for (LONG x = box[0]; x < box[0] + box[2]; ++x) {
            ink += GetRValue(GetPixel(dc, x, y)) < 200 ? 1 : 0;
        }
    }
    return ink;
}

// Every control of the panel shows its whole text in its own font, inside the panel, and no two
// shown controls overlap but the notes lying on the window list by design.
void ExpectWholeTextsApart(const ControlPanel& panel, int32_t dpi) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
    const HWND pane = panel.ControlsPane;
    const auto scaled = [&](int pixels) { return MulDiv(pixels, dpi, 96); };
    struct Text {
        HWND Control;
        int Beside; // what the control shows beside its text: a check box's box
        int Lines;
    };
    const Text texts[] = {{panel.TitleLabel, 0, 1},
                          {panel.SkinLabel, 0, 1},
                          {panel.RefreshButton, scaled(8), 1},
                          {panel.ApplyButton, scaled(8), 1},
                          {panel.SaveSettingsBox, scaled(13 + 4), 1},
                          {panel.CloseProgramBox, scaled(13 + 4), 1},
                          {panel.UsageText, 0, 4},
                          {panel.CreditsText, 0, 2}};
    for (const Text& text : texts) {
        const std::string ansi = ToAnsi(WindowTitle(text.Control));
        const WindowDc dc(text.Control);
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(text.Control, WM_GETFONT, 0, 0)));
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        RECT needed{};
        DrawTextA(dc, ansi.c_str(), -1, &needed, DT_CALCRECT | DT_NOPREFIX);
        RECT client{};
        GetClientRect(text.Control, &client);
        EXPECT_LE(needed.right + text.Beside, client.right) << ansi;
        EXPECT_LE(metrics.tmHeight * text.Lines, client.bottom) << ansi;
    }
    RECT paneRect{};
    GetClientRect(pane, &paneRect);
    std::vector<HWND> shown;
    for (HWND child = GetWindow(pane, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((StyleOf(child) & WS_VISIBLE) != 0) {
            shown.push_back(child);
        }
    }
    const auto onTheList = [&](HWND control) {
        return control == panel.WindowList || control == panel.UsageText ||
               control == panel.CreditsText;
    };
    for (size_t a = 0; a < shown.size(); ++a) {
        const Box box = ClientBoxOf(shown[a], pane);
        EXPECT_TRUE(box[0] >= 0 && box[1] >= 0 && box[0] + box[2] <= paneRect.right &&
                    box[1] + box[3] <= paneRect.bottom)
            << "control " << GetDlgCtrlID(shown[a]) << " reaches outside the panel";
        for (size_t b = a + 1; b < shown.size(); ++b) {
            RECT first{}, second{}, both{};
            GetWindowRect(shown[a], &first);
            GetWindowRect(shown[b], &second);
            EXPECT_FALSE(IntersectRect(&both, &first, &second) &&
                         !(onTheList(shown[a]) && onTheList(shown[b])))
                << "controls " << GetDlgCtrlID(shown[a]) << " and " << GetDlgCtrlID(shown[b]);
        }
    }
}

class Panel : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetProcessValues();
        TheRun().AppDir = dir.WithBackslash();
        fs::create_directories(dir.Path() / L"SKIN");
    }
    void TearDown() override {
        TheContentWindow().Unload();
        test::PumpMessages();
        test::ResetProcessValues();
    }

    void AddSkin(const std::wstring& name) {
        fs::create_directories(dir.Path() / L"SKIN" / name);
        test::WriteAnsiFile(dir / (L"SKIN\\" + name + L"\\skin.ini"), L"[SKIN]\r\n");
    }
    ContentWindow& LoadPanel() {
        TheContentWindow().Load();
        return TheContentWindow();
    }
    std::wstring Profile() const { return dir / L"myset.ini"; }

    test::TempDir dir{L"面板"};
};

TEST_F(Panel, EveryControlLiesOnThePictureBoxAtItsPlaceWithItsText) {
    ContentWindow& panel = LoadPanel();
    HWND form = panel.Hwnd();
    EXPECT_EQ(panel.Caption(), TitleMarker);
    EXPECT_EQ(panel.ScaleWidth(), 350);
    EXPECT_EQ(panel.ScaleHeight(), 240);
    EXPECT_EQ(StyleOf(form) & (WS_POPUP | WS_CAPTION | WS_THICKFRAME), WS_POPUP);
    EXPECT_NE(GetWindowLongPtrA(form, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);

    struct Expected {
        HWND Control;
        Box Place;
        std::wstring Text;
    };
    const std::vector<Expected> controls{
        {panel.Panel().TitleLabel, {8, 8, 168, 16}, L"请输入要加载的程序窗口名称："},
        {panel.Panel().TitleBox, {8, 24, 265, 25}, L""},
        {panel.Panel().FinderTool, {288, 16, 36, 36}, L""},
        {panel.Panel().WindowList, {8, 56, 265, 140}, L""},
        {panel.Panel().UsageText,
         {48, 75, 193, 81},
         L"模拟Glaze透明窗体 V1.6\r\n刷新查找可模拟的活动窗口,或拖放\r\n"
         L"右上角的图标进行搜索.请注意选择\r\n要模拟的窗口.\r\n"},
        {panel.Panel().CreditsText,
         {48, 152, 177, 41},
         L"glaze 玻璃窗框 " GLAZE_VERSION_TEXT L"\r\n2026 glaze 开发组 版权所有"},
        {panel.Panel().RefreshButton, {280, 136, 57, 25}, L"刷新"},
        {panel.Panel().ApplyButton, {280, 176, 57, 25}, L"应用"},
        {panel.Panel().CollectedTitles, {224, 168, 41, 21}, L""},
        {panel.Panel().SaveSettingsBox, {8, 200, 105, 17}, L"保存当前的设置"},
        {panel.Panel().SkinList, {160, 200, 113, 20}, L""},
        {panel.Panel().CloseProgramBox, {8, 220, 145, 17}, L"能够关闭被加载的程序"},
        {panel.Panel().SkinLabel, {168, 220, 90, 17}, L"*选择皮肤样式*"},
        {panel.Panel().Emblem, {312, 208, 32, 32}, L""},
    };
    EXPECT_EQ(GetParent(panel.Panel().ControlsPane), form);
    EXPECT_EQ(ClientBoxOf(panel.Panel().ControlsPane, form), (Box{0, 0, 345, 241}));
    for (const Expected& c : controls) {
        SCOPED_TRACE(c.Text);
        ASSERT_NE(c.Control, nullptr);
        EXPECT_EQ(GetParent(c.Control), panel.Panel().ControlsPane);
        EXPECT_EQ(ClientBoxOf(c.Control, form), c.Place);
        EXPECT_EQ(WindowTitle(c.Control), c.Text);
        EXPECT_EQ((StyleOf(c.Control) & WS_VISIBLE) != 0,
                  c.Control != panel.Panel().CollectedTitles);
    }
    EXPECT_NE(StyleOf(panel.Panel().WindowList) & LBS_SORT, 0);
    EXPECT_EQ(StyleOf(panel.Panel().CollectedTitles) & LBS_SORT, 0);
    EXPECT_NE(StyleOf(panel.Panel().UsageText) & ES_READONLY, 0);
    EXPECT_NE(StyleOf(panel.Panel().CreditsText) & ES_READONLY, 0);
    // The pictures come from the program's resources.
    EXPECT_NE(PictureOf(panel.Panel().FinderTool), nullptr);
    EXPECT_NE(SendMessageA(panel.Panel().Emblem, STM_GETICON, 0, 0), 0);
    // Hiding the picture box hides every control.
    ShowWindow(panel.Panel().ControlsPane, SW_HIDE);
    panel.Show();
    EXPECT_FALSE(IsWindowVisible(panel.Panel().TitleBox));
}

TEST_F(Panel, AtEveryDpiEachControlShowsItsWholeTextAndNoneOverlaps) {
    ContentWindow& panel = LoadPanel();
    for (const int32_t dpi : {96, 120, 144, 192}) {
        panel.Panel().LayOut(dpi);
        ExpectWholeTextsApart(panel.Panel(), dpi);
        const auto font =
            reinterpret_cast<HFONT>(SendMessageA(panel.Panel().ApplyButton, WM_GETFONT, 0, 0));
        LOGFONTA face{};
        GetObjectA(font, sizeof face, &face);
        EXPECT_EQ(face.lfHeight, -MulDiv(9, dpi, 72));
        EXPECT_EQ(ClientBoxOf(panel.Panel().ControlsPane, panel.Hwnd()),
                  (Box{0, 0, MulDiv(345, dpi, 96), MulDiv(241, dpi, 96)}));
    }
}

// At the DPI of the session's screen (the tests run once more in a session at 144 DPI).
TEST_F(Panel, AtTheSystemDpiThePanelTakesItsScaleAndShowsEveryTextWhole) {
    ContentWindow& panel = LoadPanel();
    const int32_t dpi = WindowDpi(panel.Hwnd());
    EXPECT_EQ(panel.ScaleWidth(), ScaleForDpi(350, dpi));
    EXPECT_EQ(panel.ScaleHeight(), ScaleForDpi(240, dpi));
    ExpectWholeTextsApart(panel.Panel(), dpi);
}

TEST_F(Panel, TextControlsShareOneChineseNinePointFontAndTheSkinListKeepsTheDefault) {
    ContentWindow& panel = LoadPanel();
    const HWND withPanelFont[] = {
        panel.Panel().TitleLabel,      panel.Panel().SkinLabel,       panel.Panel().TitleBox,
        panel.Panel().UsageText,       panel.Panel().CreditsText,     panel.Panel().WindowList,
        panel.Panel().CollectedTitles, panel.Panel().CloseProgramBox, panel.Panel().SaveSettingsBox,
        panel.Panel().ApplyButton,     panel.Panel().RefreshButton};
    const auto font =
        reinterpret_cast<HFONT>(SendMessageA(panel.Panel().TitleLabel, WM_GETFONT, 0, 0));
    LOGFONTA face{};
    ASSERT_EQ(GetObjectA(font, sizeof face, &face), static_cast<int>(sizeof face));
    EXPECT_EQ(FromAnsi(face.lfFaceName), L"微软雅黑");
    EXPECT_EQ(face.lfCharSet, 134);
    EXPECT_EQ(face.lfWeight, 400);
    const WindowDc screen(nullptr);
    EXPECT_EQ(face.lfHeight, -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72));
    for (HWND control : withPanelFont) {
        EXPECT_EQ(SendMessageA(control, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
    }
    EXPECT_NE(SendMessageA(panel.Panel().SkinList, WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(font));
}

TEST_F(Panel, TabGoesThroughTheControlsInDesignOrderAndTheNotesStayOverTheList) {
    ContentWindow& panel = LoadPanel();
    panel.Move(40, 40, 350, 240);
    panel.Show();
    test::PumpMessages();
    const std::vector<HWND> order{panel.Panel().TitleBox,        panel.Panel().ApplyButton,
                                  panel.Panel().RefreshButton,   panel.Panel().WindowList,
                                  panel.Panel().CloseProgramBox, panel.Panel().SaveSettingsBox,
                                  panel.Panel().SkinList,        panel.Panel().TitleBox};
    for (size_t i = 0; i + 1 < order.size(); ++i) {
        EXPECT_EQ(GetNextDlgTabItem(panel.Hwnd(), order[i], FALSE), order[i + 1]) << i;
    }

    // Redrawing the list leaves the notes on top of it, and the credits' first line whole where
    // it meets the usage text's blank last rows.
    RedrawWindow(panel.Panel().WindowList, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const Box usage = ClientBoxOf(panel.Panel().UsageText, panel.Hwnd());
    EXPECT_GT(InkIn(panel.Hwnd(), {usage[0], usage[1], usage[2], usage[3]}), 200);
    EXPECT_GT(InkIn(panel.Hwnd(), {48, 152, 177, 4}), 10);
}

TEST_F(Panel, TheSkinListHoldsTheDirectoriesWithASkinFileInAlphabeticalOrder) {
    test::WriteAnsiFile(dir / L"SKIN\\notes.txt", L"not a skin");
    fs::create_directories(dir.Path() / L"SKIN" / L"Empty");
    fs::create_directories(dir.Path() / L"SKIN" / L"Folder" / L"skin.ini");
    AddSkin(L"Hidden");
    SetFileAttributesW((dir / L"SKIN\\Hidden\\skin.ini").c_str(), FILE_ATTRIBUTE_HIDDEN);
    AddSkin(L"水晶");
    AddSkin(L"Slate");
    AddSkin(L"aqua");
    ContentWindow& panel = LoadPanel();
    std::vector<std::wstring> names;
    for (int32_t i = 0; i < panel.SkinCount(); ++i) {
        names.push_back(panel.SkinName(i));
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"aqua", L"Slate", L"水晶"}));
    EXPECT_EQ(panel.SkinName(3), L"");
}

TEST_F(Panel, TheSavedSkinIsSelectedAndOneBeyondTheListFallsBackToTheFirst) {
    for (const wchar_t* name : {L"A", L"B", L"C"}) {
        AddSkin(name);
    }
    for (const auto& [saved, selected] :
         std::vector<std::pair<int32_t, int32_t>>{{2, 2}, {5, 0}, {3, 0}, {-1, 0}}) {
        TheRun().StyleIndex = saved;
        ContentWindow& panel = LoadPanel();
        EXPECT_EQ(SendMessageA(panel.Panel().SkinList, CB_GETCURSEL, 0, 0), selected) << saved;
        EXPECT_EQ(TheRun().StyleIndex, selected) << saved;
        panel.Unload();
    }
}

TEST_F(Panel, WithoutSkinsTheListIsEmptyAndNothingIsSelected) {
    fs::remove_all(dir.Path() / L"SKIN");
    TheRun().StyleIndex = 4;
    ContentWindow& panel = LoadPanel();
    EXPECT_EQ(panel.SkinCount(), 0);
    EXPECT_EQ(SendMessageA(panel.Panel().SkinList, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(TheRun().StyleIndex, 0);
}

TEST_F(Panel, AChoiceInTheSkinListWaitsWhileNoSkinIsReady) {
    AddSkin(L"A");
    AddSkin(L"B");
    ContentWindow& panel = LoadPanel();
    panel.SelectSkinAt(1);
    SendMessageA(panel.Panel().SkinList, CB_SETCURSEL, 1, 0);
    SendMessageA(panel.Panel().ControlsPane, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(panel.Panel().SkinList));
    EXPECT_EQ(TheRun().StyleIndex, 0);
}

TEST_F(Panel, CheckBoxesShowTheSettingsAndAClickOnlyTicksOrClears) {
    TheRun().CloseProgram = 1;
    TheRun().SaveSettings = 2;
    ContentWindow& panel = LoadPanel();
    EXPECT_EQ(CheckOf(panel.Panel().CloseProgramBox), BST_CHECKED);
    EXPECT_EQ(CheckOf(panel.Panel().SaveSettingsBox), BST_INDETERMINATE);
    EXPECT_EQ(TheRun().SaveSettings, 2);

    SendMessageA(panel.Panel().SaveSettingsBox, BM_CLICK, 0, 0);
    EXPECT_EQ(CheckOf(panel.Panel().SaveSettingsBox), BST_UNCHECKED);
    EXPECT_EQ(TheRun().SaveSettings, 0);
    SendMessageA(panel.Panel().SaveSettingsBox, BM_CLICK, 0, 0);
    EXPECT_EQ(CheckOf(panel.Panel().SaveSettingsBox), BST_CHECKED);
    EXPECT_EQ(TheRun().SaveSettings, 1);
    SendMessageA(panel.Panel().CloseProgramBox, BM_CLICK, 0, 0);
    EXPECT_EQ(CheckOf(panel.Panel().CloseProgramBox), BST_UNCHECKED);
    EXPECT_EQ(TheRun().CloseProgram, 1); // the close option is read from the box when it is used
    panel.Unload();

    // A value that is none of the three shows a clear box and stays as it is.
    TheRun().CloseProgram = 9;
    TheRun().SaveSettings = -3;
    LoadPanel();
    EXPECT_EQ(CheckOf(TheContentWindow().Panel().CloseProgramBox), BST_UNCHECKED);
    EXPECT_EQ(CheckOf(TheContentWindow().Panel().SaveSettingsBox), BST_UNCHECKED);
    EXPECT_EQ(TheRun().SaveSettings, -3);
}

TEST_F(Panel, UnloadWritesTheSettingsWhenTheyAreToBeSaved) {
    AddSkin(L"A");
    AddSkin(L"B");
    TheRun().SaveSettings = 1;
    TheRun().StyleIndex = 1;
    // The user's own keys stay as they were.
    test::WriteAnsiFile(Profile(), L"[SETTING]\r\nAPPSNAP=0\r\n");
    ContentWindow& panel = LoadPanel();
    SendMessageA(panel.Panel().CloseProgramBox, BM_CLICK, 0,
                 0); // the box, not the run's option, is saved
    ASSERT_TRUE(panel.Unload());
    EXPECT_EQ(test::ReadRawFile(Profile()),
              "[SETTING]\r\nAPPSNAP=0\r\nSAVE=1\r\nAPPSTYL=1\r\nAPPQUIT=1\r\n");
}

TEST_F(Panel, UnloadDeletesTheSettingsFileUnlessSavingIsTicked) {
    for (int32_t saveFlag : {0, 2}) {
        test::WriteAnsiFile(Profile(), L"[SETTING]\r\nSAVE=1\r\nWindowText=记事本\r\n");
        TheRun().SaveSettings = saveFlag;
        ASSERT_TRUE(LoadPanel().Unload());
        EXPECT_FALSE(fs::exists(Profile())) << saveFlag;
    }
    TheRun().SaveSettings = 0;
    EXPECT_TRUE(LoadPanel().Unload()); // no file to delete is fine
}

TEST_F(Panel, AFrameProcessNeverTouchesTheSettingsFile) {
    const std::wstring saved = L"[SETTING]\r\nSAVE=1\r\nAPPSTYL=0\r\n";
    test::WriteAnsiFile(Profile(), saved);
    TheRun().ArgumentText = L"记事本/A";
    for (int32_t saveFlag : {0, 1}) {
        TheRun().SaveSettings = saveFlag;
        TheRun().StyleIndex = 3;
        ASSERT_TRUE(LoadPanel().Unload());
        EXPECT_EQ(test::ReadRawFile(Profile()), ToAnsi(saved));
    }
}

TEST_F(Panel, TheCapturedWindowFillsThePanelWhenItChangesSize) {
    Form frame(L"frame");
    frame.Load();
    FollowFrame::Values().Main = &frame; // the panel follows a hooked frame
    ContentWindow& panel = LoadPanel();
    HWND target = CreateWindowExA(0, "STATIC", "target", WS_POPUP | WS_VISIBLE, 5, 5, 20, 20,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_EQ(panel.Host().Capture(target), TargetHost::Captured::InFrame);
    panel.Move(0, 0, 320, 210);
    EXPECT_EQ(ClientBoxOf(target, panel.Hwnd()), (Box{0, 0, 320, 210}));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(panel.Hwnd(), GWLP_WNDPROC)),
              &FollowFrame::MoveFollowProc);
    panel.Host().Release();
    EXPECT_EQ(GetAncestor(target, GA_PARENT), GetDesktopWindow());
    DestroyWindow(target);
    frame.Unload();
}

// The panel's entries in its window list.
std::vector<std::wstring> WindowListEntries(const ContentWindow& panel) {
    std::vector<std::wstring> entries;
    const auto count = SendMessageA(panel.Panel().WindowList, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string text(static_cast<size_t>(SendMessageA(panel.Panel().WindowList, LB_GETTEXTLEN,
                                                          static_cast<WPARAM>(i), 0)),
                         '\0');
        SendMessageA(panel.Panel().WindowList, LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text.data()));
        entries.push_back(FromAnsi(text));
    }
    return entries;
}

TEST_F(Panel, RefreshListsOnlyTitlesThatAVisibleWindowHasOrBeginsWith) {
    ContentWindow& panel = LoadPanel();
    test::PlainWindow shown(L"面板列表 Hidden title, shown here", true);
    test::PlainWindow hidden(L"面板列表 Hidden", false);
    test::PlainWindow alone(L"面板列表 Alone", false);
    const std::wstring longTitle(120, L'长');
    test::PlainWindow wide(longTitle, true);
    SendMessageA(panel.Panel().RefreshButton, BM_CLICK, 0, 0);

    const std::vector<std::wstring> listed = WindowListEntries(panel);
    const auto count = [&](std::wstring_view entry) {
        return std::count(listed.begin(), listed.end(), entry);
    };
    EXPECT_EQ(count(L"面板列表 Hidden title, shown here"), 1);
    EXPECT_EQ(count(L"面板列表 Hidden"), 1);
    EXPECT_EQ(count(L"面板列表 Alone"), 0);
    EXPECT_EQ(count(longTitle), 1);
    // The longest title can be scrolled into view, at every scale the panel is laid out for.
    RECT client{};
    GetClientRect(panel.Panel().WindowList, &client);
    EXPECT_GT(SendMessageA(panel.Panel().WindowList, LB_GETHORIZONTALEXTENT, 0, 0), client.right);
    const auto extentAt = [&](int32_t dpi) {
        panel.Panel().LayOut(dpi);
        return SendMessageA(panel.Panel().WindowList, LB_GETHORIZONTALEXTENT, 0, 0);
    };
    const LRESULT designed = extentAt(96);
    EXPECT_GT(extentAt(192), designed * 19 / 10);
}

TEST_F(Panel, TheFinderHoldsTheMouseWithItsReticleUntilAButtonIsReleased) {
    ContentWindow& panel = LoadPanel();
    panel.Show();
    HCURSOR reticle = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_FINDER));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(reticle, &info));
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    EXPECT_EQ(info.xHotspot, 15u);
    EXPECT_EQ(info.yHotspot, 16u);

    SendMessageA(panel.Panel().FinderTool, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(panel.Panel().FinderDragging);
    EXPECT_EQ(GetCapture(), panel.Hwnd());
    EXPECT_EQ(GetCursor(), reticle);
    SetCursor(nullptr);
    SendMessageA(panel.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(panel.Hwnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), reticle);
    SendMessageA(panel.Panel().FinderTool, WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(5, 5)); // no second drag
    EXPECT_EQ(GetCapture(), panel.Hwnd());

    SendMessageA(panel.Hwnd(), WM_MBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(panel.Panel().FinderDragging);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));

    // Losing the mouse to another window ends the drag as well.
    test::PlainWindow other(L"takes the mouse", true);
    SendMessageA(panel.Panel().FinderTool, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_TRUE(panel.Panel().FinderDragging);
    SetCapture(other.Hwnd());
    EXPECT_FALSE(panel.Panel().FinderDragging);
    ReleaseCapture();
}

class PanelApply : public Panel {
protected:
    void TearDown() override {
        DeleteFileW(handOver.c_str());
        Panel::TearDown();
    }
    const std::wstring handOver = HandOverPath();
};

TEST_F(PanelApply, AFrameCaptionIsHandedOverWithTheSkinAndTheCloseOption) {
    DeleteFileW(handOver.c_str());
    ContentWindow& panel = LoadPanel();
    TheRun().StyleIndex = 3;
    SendMessageA(panel.Panel().CloseProgramBox, BM_SETCHECK, BST_INDETERMINATE, 0);
    panel.Panel().SetTitleBoxText(L"没有的窗口 - 模拟Glaze窗体*");
    SendMessageA(panel.Panel().ApplyButton, BM_CLICK, 0, 0);
    EXPECT_EQ(test::ReadRawFile(handOver),
              ToAnsi(L"[SETTING]\r\nSetReCaption=没有的窗口 - 模拟Glaze窗体*\r\nSetReSTYL=3\r\n"
                     L"SetReQUIT=2\r\n"));
    EXPECT_EQ(panel.Panel().TitleBoxText(), L"没有的窗口 - 模拟Glaze窗体*");
}

// A form that records the mouse presses that reach it.
class MouseForm : public Form {
public:
    MouseForm() : Form(L"mouse") {}
    std::vector<POINT> presses;

protected:
    void OnMouseDown(const MouseEvent& event) override { presses.push_back({event.X, event.Y}); }
};

TEST(PictureBox, AContainerPassesTheMouseOnInItsParentsPixelsAndAPictureKeepsIt) {
    MouseForm form;
    form.Load();
    HWND container = CreatePictureBox(form.Hwnd(), {10, 20, 100, 100}, WS_VISIBLE, 0, true);
    HWND picture = CreatePictureBox(container, {30, 30, 36, 36}, WS_VISIBLE, 0, false);
    EXPECT_NE(GetWindowLongPtrA(container, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, 0);
    SendMessageA(container, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7));
    SendMessageA(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    ASSERT_EQ(form.presses.size(), 1u);
    EXPECT_EQ(form.presses[0].x, 15);
    EXPECT_EQ(form.presses[0].y, 27);
    form.Unload();
}

} // namespace
} // namespace glaze
