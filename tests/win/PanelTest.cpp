#include "panel/Form2.h"

#include "TestSupport.h"
#include "hosting/ModMoveFrm.h"
#include "lifecycle/Captions.h"
#include "lifecycle/ProcessValues.h"
#include "lifecycle/TheForms.h"
#include "panel/PictureBox.h"
#include "platform/AnsiText.h"
#include "platform/Scoped.h"
#include "GlazeVersion.h"
#include "res/resource.h"
#include "settings/Modmyset.h"

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

class Panel : public ::testing::Test {
protected:
    void SetUp() override {
        Process = ProcessValues{};
        Process.AppDir = dir.WithBackslash();
        fs::create_directories(dir.Path() / L"SKIN");
    }
    void TearDown() override {
        TheForm2().Unload();
        test::PumpMessages();
        Process = ProcessValues{};
    }

    void AddSkin(const std::wstring& name) {
        fs::create_directories(dir.Path() / L"SKIN" / name);
        test::WriteAnsiFile(dir / (L"SKIN\\" + name + L"\\skin.ini"), L"[SKIN]\r\n");
    }
    Form2& LoadPanel() {
        TheForm2().Load();
        return TheForm2();
    }
    std::wstring Profile() const { return dir / L"myset.ini"; }

    test::TempDir dir{L"面板"};
};

TEST_F(Panel, EveryControlLiesOnThePictureBoxAtItsPlaceWithItsText) {
    Form2& panel = LoadPanel();
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
        {panel.Label1, {8, 8, 168, 17}, L"请输入要加载的程序窗口名称："},
        {panel.Text1, {8, 24, 265, 25}, L""},
        {panel.Picture2, {288, 16, 36, 36}, L""},
        {panel.List1, {8, 56, 265, 140}, L""},
        {panel.Text2,
         {48, 75, 193, 81},
         L"模拟Glaze透明窗体 V1.6\r\n刷新查找可模拟的活动窗口,或拖放\r\n"
         L"右上角的图标进行搜索.请注意选择\r\n要模拟的窗口.\r\n"},
        {panel.Text3,
         {48, 152, 177, 41},
         L"glaze 玻璃窗框 " GLAZE_VERSION_TEXT L"\r\n2026 glaze 开发组 版权所有"},
        {panel.Command2, {280, 136, 57, 25}, L"刷新"},
        {panel.Command1, {280, 176, 57, 25}, L"应用"},
        {panel.List2, {224, 168, 41, 21}, L""},
        {panel.Check2, {8, 200, 105, 17}, L"保存当前的设置"},
        {panel.Combo1, {160, 200, 113, 20}, L""},
        {panel.Check1, {8, 220, 145, 17}, L"能够关闭被加载的程序"},
        {panel.Label2, {168, 220, 90, 17}, L"*选择皮肤样式*"},
        {panel.Image1, {312, 208, 32, 32}, L""},
    };
    EXPECT_EQ(GetParent(panel.Picture1), form);
    EXPECT_EQ(ClientBoxOf(panel.Picture1, form), (Box{0, 0, 345, 241}));
    for (const Expected& c : controls) {
        SCOPED_TRACE(c.Text);
        ASSERT_NE(c.Control, nullptr);
        EXPECT_EQ(GetParent(c.Control), panel.Picture1);
        EXPECT_EQ(ClientBoxOf(c.Control, form), c.Place);
        EXPECT_EQ(WindowTitle(c.Control), c.Text);
        EXPECT_EQ((StyleOf(c.Control) & WS_VISIBLE) != 0, c.Control != panel.List2);
    }
    EXPECT_NE(StyleOf(panel.List1) & LBS_SORT, 0);
    EXPECT_EQ(StyleOf(panel.List2) & LBS_SORT, 0);
    EXPECT_NE(StyleOf(panel.Text2) & ES_READONLY, 0);
    EXPECT_NE(StyleOf(panel.Text3) & ES_READONLY, 0);
    // The pictures come from the program's resources.
    EXPECT_NE(PictureOf(panel.Picture2), nullptr);
    EXPECT_NE(SendMessageA(panel.Image1, STM_GETICON, 0, 0), 0);
    // Hiding the picture box hides every control.
    ShowWindow(panel.Picture1, SW_HIDE);
    panel.Show();
    EXPECT_FALSE(IsWindowVisible(panel.Text1));
}

TEST_F(Panel, TextControlsShareOneChineseNinePointFontAndTheSkinListKeepsTheDefault) {
    Form2& panel = LoadPanel();
    const HWND withPanelFont[] = {panel.Label1, panel.Label2,   panel.Text1,   panel.Text2,
                                  panel.Text3,  panel.List1,    panel.List2,   panel.Check1,
                                  panel.Check2, panel.Command1, panel.Command2};
    const auto font = reinterpret_cast<HFONT>(SendMessageA(panel.Label1, WM_GETFONT, 0, 0));
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
    EXPECT_NE(SendMessageA(panel.Combo1, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
}

TEST_F(Panel, TabGoesThroughTheControlsInDesignOrderAndTheNotesStayOverTheList) {
    Form2& panel = LoadPanel();
    panel.Move(40, 40, 350, 240);
    panel.Show();
    test::PumpMessages();
    const std::vector<HWND> order{panel.Text1,  panel.Command1, panel.Command2, panel.List1,
                                  panel.Check1, panel.Check2,   panel.Combo1,   panel.Text1};
    for (size_t i = 0; i + 1 < order.size(); ++i) {
        EXPECT_EQ(GetNextDlgTabItem(panel.Hwnd(), order[i], FALSE), order[i + 1]) << i;
    }

    // Redrawing the list leaves the notes on top of it, and the credits' first line whole where
    // it meets the usage text's blank last rows.
    RedrawWindow(panel.List1, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const Box usage = ClientBoxOf(panel.Text2, panel.Hwnd());
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
    Form2& panel = LoadPanel();
    std::vector<std::wstring> names;
    for (int32_t i = 0; i < panel.Combo1Count(); ++i) {
        names.push_back(panel.Combo1Text(i));
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"aqua", L"Slate", L"水晶"}));
    EXPECT_EQ(panel.Combo1Text(3), L"");
}

TEST_F(Panel, TheSavedSkinIsSelectedAndOneBeyondTheListFallsBackToTheFirst) {
    for (const wchar_t* name : {L"A", L"B", L"C"}) {
        AddSkin(name);
    }
    for (const auto& [saved, selected] :
         std::vector<std::pair<int32_t, int32_t>>{{2, 2}, {5, 0}, {3, 0}, {-1, 0}}) {
        Process.StyleIndex = saved;
        Form2& panel = LoadPanel();
        EXPECT_EQ(SendMessageA(panel.Combo1, CB_GETCURSEL, 0, 0), selected) << saved;
        EXPECT_EQ(Process.StyleIndex, selected) << saved;
        panel.Unload();
    }
}

TEST_F(Panel, WithoutSkinsTheListIsEmptyAndNothingIsSelected) {
    fs::remove_all(dir.Path() / L"SKIN");
    Process.StyleIndex = 4;
    Form2& panel = LoadPanel();
    EXPECT_EQ(panel.Combo1Count(), 0);
    EXPECT_EQ(SendMessageA(panel.Combo1, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(Process.StyleIndex, 0);
}

TEST_F(Panel, AChoiceInTheSkinListWaitsWhileNoSkinIsReady) {
    AddSkin(L"A");
    AddSkin(L"B");
    Form2& panel = LoadPanel();
    panel.SetCombo1Index(1);
    SendMessageA(panel.Combo1, CB_SETCURSEL, 1, 0);
    SendMessageA(panel.Picture1, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(panel.Combo1));
    EXPECT_EQ(Process.StyleIndex, 0);
}

TEST_F(Panel, CheckBoxesShowTheSettingsAndAClickOnlyTicksOrClears) {
    Process.QuitFlag = 1;
    Process.SaveFlag = 2;
    Form2& panel = LoadPanel();
    EXPECT_EQ(CheckOf(panel.Check1), BST_CHECKED);
    EXPECT_EQ(CheckOf(panel.Check2), BST_INDETERMINATE);
    EXPECT_EQ(Process.SaveFlag, 2);

    SendMessageA(panel.Check2, BM_CLICK, 0, 0);
    EXPECT_EQ(CheckOf(panel.Check2), BST_UNCHECKED);
    EXPECT_EQ(Process.SaveFlag, 0);
    SendMessageA(panel.Check2, BM_CLICK, 0, 0);
    EXPECT_EQ(CheckOf(panel.Check2), BST_CHECKED);
    EXPECT_EQ(Process.SaveFlag, 1);
    SendMessageA(panel.Check1, BM_CLICK, 0, 0);
    EXPECT_EQ(CheckOf(panel.Check1), BST_UNCHECKED);
    EXPECT_EQ(Process.QuitFlag, 1); // the close option is read from the box when it is used
    panel.Unload();

    // A value that is none of the three shows a clear box and stays as it is.
    Process.QuitFlag = 9;
    Process.SaveFlag = -3;
    LoadPanel();
    EXPECT_EQ(CheckOf(TheForm2().Check1), BST_UNCHECKED);
    EXPECT_EQ(CheckOf(TheForm2().Check2), BST_UNCHECKED);
    EXPECT_EQ(Process.SaveFlag, -3);
}

TEST_F(Panel, UnloadWritesTheSettingsWhenTheyAreToBeSaved) {
    AddSkin(L"A");
    AddSkin(L"B");
    Process.SaveFlag = 1;
    Process.StyleIndex = 1;
    Process.ProfilePath = dir / L"other.ini";
    Form2& panel = LoadPanel();
    SendMessageA(panel.Check1, BM_CLICK, 0, 0); // the box, not QuitFlag, is saved
    ASSERT_TRUE(panel.Unload());
    EXPECT_EQ(test::ReadRawFile(Profile()), "[SETTING]\r\nSAVE=1\r\nAPPSTYL=1\r\nAPPQUIT=1\r\n");
    EXPECT_EQ(Process.ProfilePath, Profile());
    EXPECT_FALSE(fs::exists(dir.Path() / L"other.ini"));
}

TEST_F(Panel, UnloadDeletesTheSettingsFileUnlessSavingIsTicked) {
    for (int32_t saveFlag : {0, 2}) {
        test::WriteAnsiFile(Profile(), L"[SETTING]\r\nSAVE=1\r\nWindowText=记事本\r\n");
        Process.SaveFlag = saveFlag;
        ASSERT_TRUE(LoadPanel().Unload());
        EXPECT_FALSE(fs::exists(Profile())) << saveFlag;
    }
    Process.SaveFlag = 0;
    EXPECT_TRUE(LoadPanel().Unload()); // no file to delete is fine
}

TEST_F(Panel, AFrameProcessNeverTouchesTheSettingsFile) {
    const std::wstring saved = L"[SETTING]\r\nSAVE=1\r\nAPPSTYL=0\r\n";
    test::WriteAnsiFile(Profile(), saved);
    Process.ArgumentText = L"记事本/A";
    Process.ProfilePath = L"C:\\hand-over.tmp";
    for (int32_t saveFlag : {0, 1}) {
        Process.SaveFlag = saveFlag;
        Process.StyleIndex = 3;
        ASSERT_TRUE(LoadPanel().Unload());
        EXPECT_EQ(test::ReadRawFile(Profile()), ToAnsi(saved));
        EXPECT_EQ(Process.ProfilePath, L"C:\\hand-over.tmp");
    }
}

TEST_F(Panel, TheCapturedWindowFillsThePanelWhenItChangesSize) {
    Form frame(L"frame");
    frame.Load();
    Process.FollowMain = &frame; // the panel follows a hooked frame
    Form2& panel = LoadPanel();
    HWND target = CreateWindowExA(0, "STATIC", "target", WS_CHILD, 5, 5, 20, 20, panel.Hwnd(),
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    Process.TargetWindow = target;
    panel.Move(0, 0, 300, 200);
    EXPECT_EQ(ClientBoxOf(target, panel.Hwnd()), (Box{5, 5, 20, 20}));
    panel.TargetCaptured = true;
    panel.Move(0, 0, 320, 210);
    EXPECT_EQ(ClientBoxOf(target, panel.Hwnd()), (Box{0, 0, 320, 210}));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(panel.Hwnd(), GWLP_WNDPROC)),
              &ModMoveFrm::MoveFollowProc);
    panel.TargetCaptured = false;
    frame.Unload();
}

// The panel's entries in its window list.
std::vector<std::wstring> List1Entries(const Form2& panel) {
    std::vector<std::wstring> entries;
    const auto count = SendMessageA(panel.List1, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string text(static_cast<size_t>(
                             SendMessageA(panel.List1, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)),
                         '\0');
        SendMessageA(panel.List1, LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text.data()));
        entries.push_back(FromAnsi(text));
    }
    return entries;
}

TEST_F(Panel, RefreshListsOnlyTitlesThatAVisibleWindowHasOrBeginsWith) {
    Form2& panel = LoadPanel();
    test::PlainWindow shown(L"面板列表 Hidden title, shown here", true);
    test::PlainWindow hidden(L"面板列表 Hidden", false);
    test::PlainWindow alone(L"面板列表 Alone", false);
    const std::wstring longTitle(120, L'长');
    test::PlainWindow wide(longTitle, true);
    SendMessageA(panel.Command2, BM_CLICK, 0, 0);

    const std::vector<std::wstring> listed = List1Entries(panel);
    const auto count = [&](std::wstring_view entry) {
        return std::count(listed.begin(), listed.end(), entry);
    };
    EXPECT_EQ(count(L"面板列表 Hidden title, shown here"), 1);
    EXPECT_EQ(count(L"面板列表 Hidden"), 1);
    EXPECT_EQ(count(L"面板列表 Alone"), 0);
    EXPECT_EQ(count(longTitle), 1);
    // The longest title can be scrolled into view.
    RECT client{};
    GetClientRect(panel.List1, &client);
    EXPECT_GT(SendMessageA(panel.List1, LB_GETHORIZONTALEXTENT, 0, 0), client.right);
}

TEST_F(Panel, TheFinderHoldsTheMouseWithItsReticleUntilAButtonIsReleased) {
    Form2& panel = LoadPanel();
    panel.Show();
    HCURSOR reticle = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_FINDER));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(reticle, &info));
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    EXPECT_EQ(info.xHotspot, 15u);
    EXPECT_EQ(info.yHotspot, 16u);

    SendMessageA(panel.Picture2, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(panel.FinderDragging);
    EXPECT_EQ(GetCapture(), panel.Hwnd());
    EXPECT_EQ(GetCursor(), reticle);
    SetCursor(nullptr);
    SendMessageA(panel.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(panel.Hwnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), reticle);
    SendMessageA(panel.Picture2, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); // no second drag
    EXPECT_EQ(GetCapture(), panel.Hwnd());

    SendMessageA(panel.Hwnd(), WM_MBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(panel.FinderDragging);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));

    // Losing the mouse to another window ends the drag as well.
    test::PlainWindow other(L"takes the mouse", true);
    SendMessageA(panel.Picture2, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_TRUE(panel.FinderDragging);
    SetCapture(other.Hwnd());
    EXPECT_FALSE(panel.FinderDragging);
    ReleaseCapture();
}

class PanelApply : public Panel {
protected:
    void TearDown() override {
        DeleteFileW(handOver.c_str());
        Panel::TearDown();
    }
    const std::wstring handOver = Modmyset::GetTempFilePath();
};

TEST_F(PanelApply, AFrameCaptionIsHandedOverWithTheSkinAndTheCloseOption) {
    DeleteFileW(handOver.c_str());
    Form2& panel = LoadPanel();
    Process.StyleIndex = 3;
    SendMessageA(panel.Check1, BM_SETCHECK, BST_INDETERMINATE, 0);
    panel.SetText1Text(L"没有的窗口 - 模拟Glaze窗体*");
    SendMessageA(panel.Command1, BM_CLICK, 0, 0);
    EXPECT_EQ(test::ReadRawFile(handOver),
              ToAnsi(L"[SETTING]\r\nSetReCaption=没有的窗口 - 模拟Glaze窗体*\r\nSetReSTYL=3\r\n"
                     L"SetReQUIT=2\r\n"));
    EXPECT_EQ(Process.ProfilePath, handOver);
    EXPECT_EQ(panel.Text1Text(), L"没有的窗口 - 模拟Glaze窗体*");
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
