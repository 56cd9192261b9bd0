// The control panel at work: choosing a window (the window list, the finder tool) and the Apply
// button, which starts a frame process or re-skins a running frame.

#include "MouseSupport.h"
#include "PanelWindows.h"

#include "../win/TestSupport.h"
#include "platform/AnsiText.h"
#include "platform/Scoped.h"
#include "settings/HandOverFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>

namespace glaze::e2e {
namespace {

constexpr std::wstring_view Suffix = L" - 模拟Glaze窗体*";

HWND ApplyButtonOf(HWND content) {
    return ControlOf(content, ApplyButtonId);
}
HWND RefreshButtonOf(HWND content) {
    return ControlOf(content, RefreshButtonId);
}
HWND WindowListOf(HWND content) {
    return ControlOf(content, WindowListId);
}
HWND FinderToolOf(HWND content) {
    return ControlOf(content, FinderToolId);
}

// The borders of a frame around its content window: left, top, left + right, top + bottom.
std::array<LONG, 4> MarginsOf(HWND frame, HWND content) {
    RECT outer{}, inner{};
    GetWindowRect(frame, &outer);
    GetWindowRect(content, &inner);
    return {inner.left - outer.left, inner.top - outer.top,
            (outer.right - outer.left) - (inner.right - inner.left),
            (outer.bottom - outer.top) - (inner.bottom - inner.top)};
}
constexpr std::array<LONG, 4> AuroraMargins{14, 34, 28, 48};
constexpr std::array<LONG, 4> GraphiteMargins{13, 32, 26, 45};

// A frame process the panel started: found by its caption, ended by its handle.
class StartedFrame {
public:
    explicit StartedFrame(const std::wstring& caption) {
        frame_ = WaitFor([&] {
            HWND found = FindWindowW(nullptr, caption.c_str());
            return found != nullptr && IsWindowVisible(found) ? found : nullptr;
        });
        GetWindowThreadProcessId(frame_, &id_);
        process_.Reset(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id_));
    }
    ~StartedFrame() {
        if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 99);
            WaitForSingleObject(process_, 5000);
        }
    }
    StartedFrame(const StartedFrame&) = delete;
    StartedFrame& operator=(const StartedFrame&) = delete;

    HWND Frame() const { return frame_; }
    DWORD Id() const { return id_; }
    bool CloseAndWait() {
        PostMessageW(frame_, WM_CLOSE, 0, 0);
        return process_ && WaitForSingleObject(process_, 10000) == WAIT_OBJECT_0;
    }

private:
    HWND frame_ = nullptr;
    DWORD id_ = 0;
    ScopedHandle process_;
};

// A target program framed by a process of its own, with the first skin.
struct FramedTarget {
    FramedTarget(const AppDir& app, const std::wstring& title)
        : Target(title), FrameProcess(GlazeCommandLine(app, title + L"/A")),
          Windows(WaitForGlazeWindows(FrameProcess)) {}
    TargetProgram Target;
    Process FrameProcess;
    GlazeWindows Windows;
};

class PanelActions : public ::testing::Test {
protected:
    void SetUp() override {
        app.CopyBundledSkins();
        DeleteFileW(handOver.c_str());
    }
    void TearDown() override { DeleteFileW(handOver.c_str()); }

    GlazeWindows StartPanel() {
        panel_ = std::make_unique<Process>(GlazeCommandLine(app, L""));
        return WaitForGlazeWindows(*panel_);
    }
    // As a click by the user: the panel handles it in its own time.
    static void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }
    static void SelectSkin(HWND content, int index) {
        HWND combo = SkinListOf(content);
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
    }
    static void SetTitleBox(HWND content, const std::wstring& text) {
        SendMessageW(TitleBoxOf(content), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    static bool TitleBoxBecomes(HWND content, const std::wstring& text) {
        return WaitUntil([&] { return TextOf(TitleBoxOf(content)) == text; });
    }

    AppDir app;
    const std::wstring handOver = HandOverPath();
    std::unique_ptr<Process> panel_;
    ScreenshotOnFailure screenshot;
};

TEST_F(PanelActions, ApplyStartsAFrameWithThePanelsSkinAndCloseOption) {
    const std::wstring title = L"应用的目标 Launch";
    TargetProgram target(title);
    ASSERT_NE(target.Window(), nullptr);
    const GlazeWindows panel = StartPanel();
    ASSERT_NE(panel.Content, nullptr);
    SelectSkin(panel.Content, 1);
    SendMessageW(CloseProgramBoxOf(panel.Content), BM_CLICK, 0, 0);
    SetTitleBox(panel.Content, title);
    Click(ApplyButtonOf(panel.Content));

    StartedFrame frame(title + std::wstring(Suffix));
    ASSERT_NE(frame.Frame(), nullptr);
    HWND content = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        content = GetAncestor(target.Window(), GA_PARENT);
        DWORD owner = 0;
        GetWindowThreadProcessId(content, &owner);
        return owner == frame.Id();
    })) << target.LogText();
    EXPECT_EQ(MarginsOf(frame.Frame(), content), GraphiteMargins);

    // Once the window is framed, Apply on its title offers the frame for a re-skin; the second
    // frame process finds no window to take and ends.
    Click(ApplyButtonOf(panel.Content));
    EXPECT_TRUE(TitleBoxBecomes(panel.Content, title + std::wstring(Suffix)));

    ASSERT_TRUE(frame.CloseAndWait());
    EXPECT_TRUE(target.Proc().WaitForExit(10s).has_value()) << "the close option was ticked";
    EXPECT_TRUE(target.LogContains("QUIT"));
}

TEST_F(PanelActions, ApplyOnAFrameCaptionReskinsThatFrameThroughTheHandOverFile) {
    const std::wstring title = L"换肤的目标 Restyle";
    const std::wstring caption = title + std::wstring(Suffix);
    FramedTarget framed(app, title);
    const GlazeWindows& frame = framed.Windows;
    ASSERT_NE(frame.Frame, nullptr);
    ASSERT_EQ(MarginsOf(frame.Frame, frame.Content), AuroraMargins);

    // A hand-over for another frame: this one stays minimised and leaves the file alone.
    const std::wstring forOther = L"[SETTING]\r\nSetReCaption=别的窗口" + std::wstring(Suffix) +
                                  L"\r\nSetReSTYL=1\r\nSetReQUIT=1\r\n";
    test::WriteAnsiFile(handOver, forOther);
    PostMessageW(frame.Frame, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(frame.Frame) != FALSE; }));
    EXPECT_TRUE(StaysTrue([&] { return IsIconic(frame.Frame) != FALSE; }));
    EXPECT_EQ(test::ReadRawFile(handOver), ToAnsi(forOther));
    PostMessageW(frame.Frame, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(frame.Frame); }));

    // The panel names this frame: it minimises, takes the panel's skin and close option, deletes
    // the file and comes back.
    const GlazeWindows panel = StartPanel();
    ASSERT_NE(panel.Content, nullptr);
    SelectSkin(panel.Content, 1);
    SendMessageW(CloseProgramBoxOf(panel.Content), BM_CLICK, 0, 0);
    SetTitleBox(panel.Content, caption);
    Click(ApplyButtonOf(panel.Content));
    EXPECT_TRUE(WaitUntil([&] {
        return !std::filesystem::exists(handOver) && !IsIconic(frame.Frame) &&
               MarginsOf(frame.Frame, frame.Content) == GraphiteMargins;
    })) << test::ReadRawFile(handOver);
    EXPECT_TRUE(IsWindowVisible(frame.Content));
    EXPECT_EQ(TextOf(TitleBoxOf(panel.Content)), caption);

    PostMessageW(frame.Frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(framed.FrameProcess.WaitForExit(10s).has_value());
    EXPECT_TRUE(framed.Target.Proc().WaitForExit(10s).has_value()) << "the close option came along";
}

TEST_F(PanelActions, AHandOverReachesAFrameWhoseCaptionIsLongerThanAnyProfileValue) {
    std::wstring title;
    while (title.size() < 60) {
        title += L"一个很长的窗口标题";
    }
    title.resize(60); // 120 bytes in the code page, and the suffix after them
    FramedTarget framed(app, title);
    const GlazeWindows& frame = framed.Windows;
    ASSERT_NE(frame.Frame, nullptr);
    ASSERT_EQ(MarginsOf(frame.Frame, frame.Content), AuroraMargins);

    test::WriteAnsiFile(handOver, L"[SETTING]\r\nSetReCaption=" + title + std::wstring(Suffix) +
                                      L"\r\nSetReSTYL=1\r\nSetReQUIT=0\r\n");
    PostMessageW(frame.Frame, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitUntil([&] {
        return !std::filesystem::exists(handOver) && !IsIconic(frame.Frame) &&
               MarginsOf(frame.Frame, frame.Content) == GraphiteMargins;
    })) << test::ReadRawFile(handOver);
}

TEST_F(PanelActions, RefreshListsTheWindowsButThePanelAndAReleaseOverTheListOffersAnEntry) {
    TargetProgram twin1(L"同名的窗口 Twin");
    TargetProgram twin2(L"同名的窗口 Twin");
    TargetProgram other(L"另一个窗口 Other");
    ASSERT_NE(other.Window(), nullptr);
    const GlazeWindows panel = StartPanel();
    ASSERT_NE(panel.Content, nullptr);
    HWND list = WindowListOf(panel.Content);
    HWND notes = ControlOf(panel.Content, UsageTextId);
    HWND credits = ControlOf(panel.Content, CreditsTextId);
    Click(RefreshButtonOf(panel.Content));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(notes); }));

    const std::vector<std::wstring> listed = ListEntries(list);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), L"同名的窗口 Twin"), 2);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), L"模拟Glaze窗体*"), 0);
    ASSERT_GE(listed.size(), 2u);
    EXPECT_EQ(TextOf(TitleBoxOf(panel.Content)), listed.front());
    EXPECT_FALSE(IsWindowVisible(credits));

    // The list starts at its first entry; a release of any button offers the entry under it.
    const auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const auto last = static_cast<int>(listed.size()) - 1;
    ASSERT_NE(listed[0], listed.back());
    PostMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(20, last * height + height / 2));
    EXPECT_TRUE(TitleBoxBecomes(panel.Content, listed.back()));
    PostMessageW(list, WM_MBUTTONUP, 0, MAKELPARAM(20, height / 2));
    EXPECT_TRUE(TitleBoxBecomes(panel.Content, listed[0]));
    PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(20, 400)); // beyond the list's bottom
    EXPECT_TRUE(StaysTrue([&] { return TextOf(TitleBoxOf(panel.Content)) == listed[0]; }));
}

TEST_F(PanelActions, TheListTakesItsClicksAfterRefreshInAFrameWithAFilledCentre) {
    app.WriteFilledCentreSkin(L"Filled"); // the second skin
    TargetProgram first(L"列表中的窗口 One");
    TargetProgram second(L"列表中的窗口 Two");
    ASSERT_NE(second.Window(), nullptr);
    const GlazeWindows panel = StartPanel();
    ASSERT_NE(panel.Content, nullptr);
    SelectSkin(panel.Content, 1);
    HWND notes = ControlOf(panel.Content, UsageTextId);
    Click(RefreshButtonOf(panel.Content)); // it brings the panel's frame to the front at its end
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(notes); }));

    HWND list = WindowListOf(panel.Content);
    const std::vector<std::wstring> listed = ListEntries(list);
    ASSERT_GE(listed.size(), 2u);
    ASSERT_NE(listed[1], listed[0]);
    const auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    POINT entry{20, height + height / 2};
    ClientToScreen(list, &entry);
    ClickAt(entry, LeftButton);
    EXPECT_TRUE(TitleBoxBecomes(panel.Content, listed[1]));
}

TEST_F(PanelActions, TheFinderOffersTheTextOfTheWindowUnderThePointerWhileItIsDragged) {
    const GlazeWindows panel = StartPanel();
    ASSERT_NE(panel.Content, nullptr);
    // Come up whole first: under Wine a window of another program shown while the panel comes up
    // can leave the frame above the panel.
    ASSERT_TRUE(WaitUntil([&] { return TitleBoxSeen(panel.Content); }));
    // A button of this process where the panel is not, shown without taking the activation
    // from the panel.
    const std::unique_ptr<HWND__, decltype(&DestroyWindow)> button(
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"BUTTON", L"  查找器 Finder ", WS_POPUP,
                        40, 600, 200, 40, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr),
        &DestroyWindow);
    ASSERT_NE(button, nullptr);
    ShowWindow(button.get(), SW_SHOWNOACTIVATE);
    POINT onButton{140, 620};
    ScreenToClient(panel.Content, &onButton);
    const POINT onList{20, 180}; // clear of the notes that lie on the list
    const POINT onTitleBox{100, 36};
    // Under Wine a capturing window hears no real moves over another process's windows, so the
    // drag's moves are the messages the capture would deliver. The real pointer rests on the
    // title box, which answers with its own text: moves the system makes up itself from there
    // change nothing.
    POINT rest = onTitleBox;
    ClientToScreen(panel.Content, &rest);
    PointerTo(rest);
    const auto moveTo = [&](POINT at) {
        PostMessageW(panel.Content, WM_MOUSEMOVE, MK_LBUTTON,
                     MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
    };

    PostMessageW(FinderToolOf(panel.Content), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_TRUE(WaitUntil([&] { return CaptureOf(panel.Content) == panel.Content; }));
    printf("after capture: above frame is content: %d\n",
           GetWindow(panel.Frame, GW_HWNDPREV) == panel.Content);
    moveTo(onButton);
    EXPECT_TRUE(TitleBoxBecomes(panel.Content, L"查找器 Finder "));
    moveTo(onList);
    EXPECT_TRUE(TitleBoxBecomes(panel.Content, L""));
    moveTo(onButton);
    EXPECT_TRUE(TitleBoxBecomes(panel.Content, L"查找器 Finder "));
    moveTo(onTitleBox); // the box answers with its own text
    EXPECT_TRUE(StaysTrue([&] { return TextOf(TitleBoxOf(panel.Content)) == L"查找器 Finder "; }));

    PostMessageW(panel.Content, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(WaitUntil([&] { return CaptureOf(panel.Content) == nullptr; }));
    moveTo(onList);
    EXPECT_TRUE(StaysTrue([&] { return !TextOf(TitleBoxOf(panel.Content)).empty(); }));
}

} // namespace
} // namespace glaze::e2e
