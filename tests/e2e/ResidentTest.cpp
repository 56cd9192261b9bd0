// The resident glaze with real processes: rules frame programs as they open their windows, the
// hotkey frames and gives back the window in front, one resident per session, and the frame's
// own menu entries.

#include "MouseSupport.h"
#include "PanelWindows.h"
#include "platform/AnsiText.h"
#include "platform/Scoped.h"
#include "platform/SysCommand.h"
#include "platform/TopLevelWindows.h"
#include "lifecycle/WindowMenu.h"
#include "resident/FileText.h"
#include "resident/GlazeWindows.h"
#include "resident/Resident.h"
#include "resident/RulesEditor.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <thread>

namespace glaze::e2e {
namespace {

constexpr std::wstring_view FrameSuffix = L" - 模拟Glaze窗体*";

// glaze.exe --resident, ended through its own window when the test is done.
class ResidentGlaze {
public:
    explicit ResidentGlaze(const AppDir& app)
        : taskbarBefore_(TaskbarRect()), process_(GlazeCommandLine(app, L"--resident")),
          window_(WindowOf(process_)) {}
    ~ResidentGlaze() {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        process_.WaitForExit(10s);
        // Wine's virtual desktop shows a taskbar while an icon is in the notification area; once
        // the last one has gone it hides the taskbar but keeps its place, and every frame started
        // later would take that place's top edge as the bottom of its maximised size. The desktop
        // is left as the other tests know it. Windows' own taskbar stays where it is.
        if (!test::UnderWine()) {
            return;
        }
        const HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
        WaitUntil([&] { return taskbar == nullptr || !IsWindowVisible(taskbar); });
        const RECT& was = taskbarBefore_;
        SetWindowPos(taskbar, nullptr, was.left, was.top, was.right - was.left,
                     was.bottom - was.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    HWND Window() const { return window_; }
    Process& Proc() { return process_; }

    // The resident's window once it is ready: its hotkey registered, its rules read.
    static HWND WindowOf(const Process& process) {
        return WaitFor([&]() -> HWND {
            for (HWND window : process.Windows()) {
                if (ClassOf(window) == L"GlazeResident" && TextOf(window) == L"glaze") {
                    return window;
                }
            }
            return nullptr;
        });
    }

private:
    static RECT TaskbarRect() {
        RECT rect{};
        GetWindowRect(FindWindowA("Shell_TrayWnd", nullptr), &rect);
        return rect;
    }

    RECT taskbarBefore_;
    Process process_;
    HWND window_;
};

HWND FrameFor(const std::wstring& title) {
    return FindWindowA(nullptr, ToAnsi(title + std::wstring(FrameSuffix)).c_str());
}

bool IsFramed(const TargetProgram& target) {
    return GetAncestor(target.Window(), GA_PARENT) != GetDesktopWindow();
}

// The content window of the frame process that holds the window, and the skin its list shows.
std::wstring SkinAround(const TargetProgram& target) {
    const HWND content = GetAncestor(target.Window(), GA_PARENT);
    const HWND skins = SkinListOf(content);
    const auto chosen = SendMessageW(skins, CB_GETCURSEL, 0, 0);
    const std::vector<std::wstring> names = ComboEntries(skins);
    return chosen >= 0 && static_cast<size_t>(chosen) < names.size()
               ? names[static_cast<size_t>(chosen)]
               : L"";
}

// Closes the frame around the window and waits until the window is back on the desktop and the
// frame's process has ended: only then is the give-back done.
void CloseFrameAround(const TargetProgram& target) {
    DWORD process = 0;
    GetWindowThreadProcessId(GetAncestor(target.Window(), GA_PARENT), &process);
    const ScopedHandle frameProcess(OpenProcess(SYNCHRONIZE, FALSE, process));
    // A list taken at once: walking the window order while frames restack can miss windows.
    for (const HWND window : TopLevelWindows()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && TextOf(window).ends_with(FrameSuffix)) {
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
    }
    ASSERT_TRUE(WaitUntil([&] { return !IsFramed(target); })) << target.LogText();
    ASSERT_EQ(WaitForSingleObject(frameProcess, 10000), WAIT_OBJECT_0) << target.LogText();
}

std::string ToUtf8(std::wstring_view text) {
    const int wide = static_cast<int>(text.size());
    std::string bytes(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), wide,
                                                              nullptr, 0, nullptr, nullptr)),
                      '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, bytes.data(), static_cast<int>(bytes.size()),
                        nullptr, nullptr);
    return bytes;
}

// Tells the resident glaze that rules.ini was saved, as the rules editor does.
void TellRulesSaved(const ResidentGlaze& resident) {
    PostMessageW(resident.Window(), RegisterWindowMessageW(L"glaze.resident.rules"), 0, 0);
}

class Resident : public ::testing::Test {
protected:
    void SetUp() override { app.CopyBundledSkins(); }
    // In the ANSI code page, or in another form, as a user's editor would save it.
    void WriteRules(const std::wstring& text, TextForm form = TextForm::Ansi) const {
        std::ofstream(std::filesystem::path(app.Dir() / L"rules.ini"), std::ios::binary)
            << WriteFileText(text, form, [](std::wstring_view wide) {
                   return ToAnsiExactly(wide);
               }).Bytes;
    }
    // As the program reads it, whatever its form.
    FileText ReadRulesFile(const std::wstring& name = L"rules.ini") const {
        std::ifstream in(std::filesystem::path(app.Dir() / name), std::ios::binary);
        return ReadFileText(std::string(std::istreambuf_iterator<char>(in), {}),
                            [](std::string_view ansi) { return FromAnsi(ansi); });
    }
    std::wstring ReadRules(const std::wstring& name = L"rules.ini") const {
        return ReadRulesFile(name).Text;
    }

    AppDir app;
    ScreenshotOnFailure screenshot;
};

TEST_F(Resident, FramesNewWindowsByTheirRuleButNotDialogsExcludedProgramsOrBrokenLines) {
    WriteRules(L"[GLAZE]\r\n"
               L"NEVER=glaze_excluded.exe\r\n"
               L"[RULE1]\r\n"
               L"PROGRAM=GLAZE_*.EXE\r\n"
               L"TITLE=规则*\r\n"
               L"COLOUR=red\r\n" // skipped, the rest of the rule works
               L"SKIN=jade\r\n"
               L"this line means nothing\r\n");
    ResidentGlaze resident(app);
    ASSERT_NE(resident.Window(), nullptr);

    TargetProgram target(L"规则 A");
    ASSERT_TRUE(WaitUntil([&] { return IsFramed(target); })) << target.LogText();
    EXPECT_NE(FrameFor(L"规则 A"), nullptr);
    EXPECT_EQ(SkinAround(target), L"Jade");

    // Its dialog, an excluded program's window and a window no rule names stay as they are.
    PostMessageW(target.Window(), TargetProgram::DialogRequest, 0, 0);
    TargetProgram excluded(L"规则 B", L"", L"glaze_excluded.exe");
    TargetProgram unnamed(L"无规则 C");
    ASSERT_TRUE(WaitUntil([&] { return target.LogContains("DIALOG"); }));
    std::this_thread::sleep_for(1500ms);
    EXPECT_EQ(FrameFor(L"规则 A 对话框"), nullptr);
    EXPECT_FALSE(IsFramed(excluded));
    EXPECT_FALSE(IsFramed(unnamed));

    // Paused, new windows stay as they are; resumed, the next one is framed again.
    PostMessageW(resident.Window(), WM_COMMAND, PauseCommand, 0);
    TargetProgram whilePaused(L"规则 D");
    std::this_thread::sleep_for(1500ms);
    EXPECT_FALSE(IsFramed(whilePaused));
    PostMessageW(resident.Window(), WM_COMMAND, PauseCommand, 0);
    TargetProgram resumed(L"规则 E");
    EXPECT_TRUE(WaitUntil([&] { return IsFramed(resumed); })) << resumed.LogText();
    CloseFrameAround(resumed);
    CloseFrameAround(target);
}

// Where no window events can be had the resident reads the list of windows now and then; a
// window given back from its frame reappears there, and is still not framed again.
TEST(ResidentWithoutEvents, TwoWindowsOfOneTitleGetTwoFramesAndAClosedFrameStaysClosed) {
    AppDir app(L"glaze_faults.exe");
    app.CopyBundledSkins();
    ScreenshotOnFailure screenshot;
    std::ofstream(std::filesystem::path(app.Dir() / L"rules.ini"))
        << "[RULE1]\r\nPROGRAM=glaze_target.exe\r\nSKIN=Graphite\r\nCLOSE=0\r\n";
    SetEnvironmentVariableW(L"GLAZE_TEST_FAULT", L"no-window-events");
    ResidentGlaze resident(app);
    SetEnvironmentVariableW(L"GLAZE_TEST_FAULT", nullptr);
    TargetProgram first(L"同名窗口");
    TargetProgram second(L"同名窗口");
    ASSERT_TRUE(WaitUntil([&] { return IsFramed(first) && IsFramed(second); }))
        << first.LogText() << second.LogText();
    EXPECT_NE(GetAncestor(first.Window(), GA_PARENT), GetAncestor(second.Window(), GA_PARENT));

    // Given back by the user: not framed again, though the rule still names it and the next
    // reading of the window list finds it back among the top-level windows (after one that found
    // it gone into its frame).
    std::this_thread::sleep_for(1500ms);
    CloseFrameAround(first);
    std::this_thread::sleep_for(3s);
    EXPECT_FALSE(IsFramed(first));
    EXPECT_FALSE(first.LogContains("LOST DATA")) << first.LogText();
    CloseFrameAround(second);
}

TEST_F(Resident, TheHotkeyFramesTheWindowInFrontAndPressedAgainGivesItBack) {
    // No rule: the skin kept by the panel's settings.
    std::ofstream(std::filesystem::path(app.MysetIni()))
        << "[SETTING]\r\nSAVE=1\r\nAPPSTYL=2\r\nAPPQUIT=0\r\n";
    ResidentGlaze resident(app);
    TargetProgram target(L"热键目标");
    SetForegroundWindow(target.Window());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == target.Window(); }));
    PressKeys({VK_CONTROL, VK_MENU, 'G'});
    ASSERT_TRUE(WaitUntil([&] { return IsFramed(target); })) << target.LogText();
    EXPECT_EQ(SkinAround(target), L"Jade");

    const HWND frame = FrameFor(L"热键目标");
    ASSERT_NE(frame, nullptr);
    SetForegroundWindow(frame);
    ASSERT_TRUE(WaitUntil([&] {
        const HWND front = GetForegroundWindow();
        return front == frame || front == GetAncestor(target.Window(), GA_PARENT) ||
               front == target.Window();
    }));
    PressKeys({VK_CONTROL, VK_MENU, 'G'});
    EXPECT_TRUE(WaitUntil([&] { return !IsFramed(target) && FrameFor(L"热键目标") == nullptr; }))
        << target.LogText();
    EXPECT_FALSE(target.LogContains("LOST DATA")) << target.LogText();
}

TEST_F(Resident, ASecondStartShowsTheFirstOnesMenuAndExitingLeavesFramesRunning) {
    WriteRules(L"[RULE1]\r\nPROGRAM=glaze_target.exe\r\nSKIN=Aurora\r\n");
    auto resident = std::make_unique<ResidentGlaze>(app);
    TargetProgram target(L"常驻之后");
    ASSERT_TRUE(WaitUntil([&] { return IsFramed(target); })) << target.LogText();

    Process second(GlazeCommandLine(app, L"--resident"));
    EXPECT_EQ(second.WaitForExit(10s), std::optional<DWORD>(0));
    // The first one's menu comes up instead of a second icon.
    const auto menuShown = [&] {
        for (HWND window : resident->Proc().Windows()) {
            if (ClassOf(window) == L"#32768" && IsWindowVisible(window)) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(WaitUntil(menuShown));
    PostMessageW(resident->Window(), WM_CANCELMODE, 0, 0);

    // 开机启动: the current user's Run entry starts this program's resident glaze, and goes
    // again when the entry is chosen once more.
    const auto runEntry = [] {
        std::array<wchar_t, 1024> value{};
        DWORD size = sizeof value;
        const LSTATUS read =
            RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                         L"glaze", RRF_RT_REG_SZ, nullptr, value.data(), &size);
        return read == ERROR_SUCCESS ? std::wstring(value.data()) : std::wstring();
    };
    PostMessageW(resident->Window(), WM_COMMAND, StartWithWindowsCommand, 0);
    EXPECT_TRUE(WaitUntil([&] { return runEntry() == L"\"" + app.Exe() + L"\" --resident"; }))
        << runEntry().size();
    PostMessageW(resident->Window(), WM_COMMAND, StartWithWindowsCommand, 0);
    EXPECT_TRUE(WaitUntil([&] { return runEntry().empty(); }));
    EXPECT_TRUE(WaitUntil([&] { return !menuShown(); }));

    // 打开控制面板 while the resident's window is in front, as it is while its menu is: the
    // panel's title box is filled as for a panel started from the desktop.
    SetForegroundWindow(resident->Window());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == resident->Window(); }));
    PostMessageW(resident->Window(), WM_COMMAND, OpenPanelCommand, 0);
    const HWND panel = WaitFor([&]() -> HWND {
        for (const HWND window : TopLevelWindows()) {
            const HWND titleBox = TitleBoxOf(window);
            if (TextOf(window) == L"模拟Glaze窗体*" && titleBox && IsWindowVisible(titleBox)) {
                return window;
            }
        }
        return nullptr;
    });
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(TextOf(TitleBoxOf(panel)), L"计算机");
    DWORD panelId = 0;
    GetWindowThreadProcessId(panel, &panelId);
    const ScopedHandle panelProcess(OpenProcess(SYNCHRONIZE, FALSE, panelId));
    for (const HWND window : TopLevelWindows()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == panelId && (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0) {
            PostMessageW(window, WM_CLOSE, 0, 0); // the panel's frame
        }
    }
    EXPECT_EQ(WaitForSingleObject(panelProcess, 10000), WAIT_OBJECT_0);

    resident.reset();
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(IsFramed(target));
    EXPECT_NE(FrameFor(L"常驻之后"), nullptr);
    CloseFrameAround(target);
}

TEST_F(Resident, TheFrameMenuSetsOnTopAndOpacityForFrameAndProgramTogether) {
    TargetProgram target(L"菜单目标");
    Process frameProcess(GlazeCommandLine(app, L"菜单目标/A"));
    const GlazeWindows windows = WaitForGlazeWindows(frameProcess);
    ASSERT_NE(windows.Frame, nullptr);
    const auto topmost = [](HWND window) {
        return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    // The frame passes through the topmost band for a moment each time its program comes to
    // the front, and leaves it again.
    ASSERT_TRUE(WaitUntil([&] { return !topmost(windows.Frame); }));
    PostMessageW(windows.Frame, WM_SYSCOMMAND, OnTopCommand, 0);
    EXPECT_TRUE(WaitUntil([&] { return topmost(windows.Frame) && topmost(windows.Content); }));
    // It stays on top when its program comes to the front again.
    SetForegroundWindow(windows.Frame);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == target.Window(); }));
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(topmost(windows.Frame));

    PostMessageW(windows.Frame, WM_SYSCOMMAND, OpacityCommand + 2 * 16, 0); // 80 %
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(WaitUntil([&] {
        return GetLayeredWindowAttributes(windows.Content, nullptr, &alpha, &flags) &&
               alpha == 204 && (flags & LWA_ALPHA) != 0;
    }));
    PostMessageW(windows.Frame, WM_SYSCOMMAND, OpacityCommand, 0); // back to 100 %
    EXPECT_TRUE(WaitUntil(
        [&] { return (GetWindowLongPtrW(windows.Content, GWL_EXSTYLE) & WS_EX_LAYERED) == 0; }));
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(frameProcess.WaitForExit(10s).has_value());
}

// Whether Wine's taskbar shows a button for the window. It looks at its windows again whenever
// a window is made or destroyed anywhere; one made and destroyed here has it look now.
bool TaskbarButtonFor(HWND window) {
    DestroyWindow(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  nullptr, nullptr));
    const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    for (HWND button = GetWindow(taskbar, GW_CHILD); button != nullptr;
         button = GetWindow(button, GW_HWNDNEXT)) {
        if (IsWindowVisible(button) &&
            GetWindowLongPtrW(button, GWLP_ID) == reinterpret_cast<LONG_PTR>(window)) {
            return true;
        }
    }
    return false;
}

// Wine's taskbar (there while the resident's icon is) shows every shown window of another
// program that has no owner, tool windows and windows taken into another's included; Windows'
// leaves those out. Either way the frame has its button while it is up, and the program its
// own once it is given back.
TEST_F(Resident, TheTaskbarShowsTheFrameWhileItIsUpAndTheProgramOnceItIsBack) {
    if (!test::UnderWine()) {
        GTEST_SKIP() << "Windows' taskbar keeps its buttons inside a toolbar of its own";
    }
    const ResidentGlaze resident(app);
    TargetProgram target(L"任务栏目标");
    Process frameProcess(GlazeCommandLine(app, L"任务栏目标/A"));
    const GlazeWindows windows = WaitForGlazeWindows(frameProcess);
    ASSERT_NE(windows.Frame, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return TaskbarButtonFor(windows.Frame); }));
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(frameProcess.WaitForExit(10s).has_value());
    EXPECT_TRUE(WaitUntil([&] { return TaskbarButtonFor(target.Window()); }));
}

TEST_F(Resident, TheRulesEditorNamesSkippedLinesKeepsCommentsAndAsksBeforeOverwritingAChange) {
    WriteRules(L"; 我的规则\r\n"
               L"[RULE1]\r\nPROGRAM=a.exe\r\nSKIN=Jade\r\nON=maybe\r\n"
               L"\r\n# 缺皮肤\r\n"
               L"[RULE2]\r\nSKIN=Nowhere\r\nPROGRAM=b.exe\r\n");
    Process panel(GlazeCommandLine(app, L""));
    const GlazeWindows windows = WaitForGlazeWindows(panel);
    ASSERT_NE(windows.Frame, nullptr);
    PostMessageW(windows.Frame, WM_SYSCOMMAND, RulesCommand, 0);
    const HWND editor = WaitFor([&]() -> HWND {
        for (HWND window : panel.Windows()) {
            if (ClassOf(window) == L"GlazeRulesEditor" && IsWindowVisible(window)) {
                return window;
            }
        }
        return nullptr;
    });
    ASSERT_NE(editor, nullptr);
    const std::wstring problems = TextOf(ChildWithId(editor, RuleProblemsId));
    EXPECT_NE(problems.find(L"第 5 行"), std::wstring::npos);
    EXPECT_NE(problems.find(L"第 9 行：没有名为“Nowhere”的皮肤"), std::wstring::npos);

    // A rule added; the file changed by another program meanwhile: the editor asks first, and
    // "否" leaves that file as it is.
    SendMessageW(ChildWithId(editor, RuleProgramId), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"新程序.exe"));
    SendMessageW(ChildWithId(editor, RuleSkinId), CB_SETCURSEL, 2, 0);
    // Within a time limit: a rule the editor refuses shows a message box, which would hold a
    // plain send for good.
    DWORD_PTR clicked = 0;
    ASSERT_TRUE(SendMessageTimeoutW(ChildWithId(editor, RuleAddId), BM_CLICK, 0, 0, SMTO_NORMAL,
                                    10000, &clicked));
    const std::wstring changed = ReadRules() + L"; 别处改的\r\n";
    WriteRules(changed);
    PostMessageW(ChildWithId(editor, RulesSaveId), BM_CLICK, 0, 0);
    const MessageBoxSeen asked = WaitForMessageBox(panel);
    ASSERT_NE(asked.Window, nullptr);
    PostMessageW(ChildWithId(asked.Window, IDNO), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(asked.Window); }));
    EXPECT_TRUE(IsWindow(editor));
    EXPECT_EQ(ReadRules(), changed);

    // Enter saves too; "是" keeps the other program's version as rules.ini.bak. Only the new
    // rule is added to what the file held: comments and blank lines stay.
    PostMessageW(ChildWithId(editor, RuleProgramId), WM_KEYDOWN, VK_RETURN, 0);
    const MessageBoxSeen again = WaitForMessageBox(panel);
    ASSERT_NE(again.Window, nullptr);
    PostMessageW(ChildWithId(again.Window, IDYES), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
    EXPECT_EQ(ReadRules(),
              L"; 我的规则\r\n"
              L"[RULE1]\r\nPROGRAM=a.exe\r\nSKIN=Jade\r\nON=maybe\r\n"
              L"\r\n# 缺皮肤\r\n"
              L"[RULE2]\r\nSKIN=Nowhere\r\nPROGRAM=b.exe\r\n"
              L"\r\n[RULE3]\r\nPROGRAM=新程序.exe\r\nSKIN=Jade\r\nCLOSE=0\r\nON=1\r\n");
    EXPECT_EQ(ReadRules(L"rules.ini.bak"), changed);
    PostMessageW(windows.Frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(panel.WaitForExit(10s).has_value());
}

TEST_F(Resident, ReadsRulesSavedInUtf8WithOrWithoutTheMarkAndFramesAsTheRuleSays) {
    // As Notepad saves it: UTF-8, the mark right before the first section.
    WriteRules(L"[RULE1]\r\nPROGRAM=glaze_target.exe\r\nTITLE=*记事本\r\nSKIN=Jade\r\n"
               L"TOPMOST=1\r\nOPACITY=80\r\n",
               TextForm::Utf8WithMark);
    ResidentGlaze resident(app);
    TargetProgram marked(L"带标记 记事本");
    ASSERT_TRUE(WaitUntil([&] { return IsFramed(marked); })) << marked.LogText();
    // The frame comes up as the rule says: on top, and 80 % opaque with its program.
    const HWND content = GetAncestor(marked.Window(), GA_PARENT);
    BYTE alpha = 0;
    EXPECT_TRUE(WaitUntil([&] {
        return GetLayeredWindowAttributes(content, nullptr, &alpha, nullptr) && alpha == 204;
    }));
    // On top to stay, not only for a moment as a frame is when its program comes to the front.
    const auto onTop = [] {
        return (GetWindowLongPtrW(FrameFor(L"带标记 记事本"), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    EXPECT_TRUE(WaitUntil(onTop));
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(onTop());

    WriteRules(L"[RULE1]\r\nPROGRAM=glaze_target.exe\r\nTITLE=*笔记\r\nSKIN=Graphite\r\n",
               TextForm::Utf8);
    TellRulesSaved(resident);
    TargetProgram unmarked(L"无标记 笔记");
    ASSERT_TRUE(WaitUntil([&] { return IsFramed(unmarked); })) << unmarked.LogText();
    EXPECT_EQ(SkinAround(unmarked), L"Graphite");
    CloseFrameAround(unmarked);
    CloseFrameAround(marked);
}

TEST_F(Resident, AMainWindowOwnedByAHiddenAppWindowIsFramedByItsRuleAndTheHotkeyItsBoxNot) {
    WriteRules(L"[RULE1]\r\nPROGRAM=glaze_vb6.exe\r\nSKIN=Aurora\r\n");
    ResidentGlaze resident(app);
    TargetProgram vb6(L"VB6 工具", L"--owned", L"glaze_vb6.exe");
    ASSERT_TRUE(WaitUntil([&] { return IsFramed(vb6); })) << vb6.LogText();
    // A dialog it owns, as a message box: never framed, though the rule names the program.
    PostMessageW(vb6.Window(), TargetProgram::DialogRequest, 1, 0);
    ASSERT_TRUE(WaitUntil([&] { return vb6.LogContains("DIALOG"); }));
    std::this_thread::sleep_for(1500ms);
    EXPECT_EQ(FrameFor(L"VB6 工具 对话框"), nullptr);

    // Given back by the user, it is framed again by the hotkey.
    CloseFrameAround(vb6);
    SetForegroundWindow(vb6.Window());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == vb6.Window(); }));
    PressKeys({VK_CONTROL, VK_MENU, 'G'});
    ASSERT_TRUE(WaitUntil([&] { return IsFramed(vb6); })) << vb6.LogText();
    CloseFrameAround(vb6);
}

TEST_F(Resident, FramesWindowsOpenBeforeItsStartOrNamedByNewRulesButNotOnesGivenBack) {
    TargetProgram early(L"早开 A");
    TargetProgram later(L"早开 B");
    WriteRules(L"[RULE1]\r\nPROGRAM=glaze_target.exe\r\nTITLE=*A\r\nSKIN=Jade\r\n");
    ResidentGlaze resident(app);
    ASSERT_TRUE(WaitUntil([&] { return IsFramed(early); })) << early.LogText();
    EXPECT_FALSE(IsFramed(later));
    CloseFrameAround(early);

    WriteRules(L"[RULE1]\r\nPROGRAM=glaze_target.exe\r\nSKIN=Jade\r\n");
    TellRulesSaved(resident);
    ASSERT_TRUE(WaitUntil([&] { return IsFramed(later); })) << later.LogText();
    std::this_thread::sleep_for(1500ms);
    EXPECT_FALSE(IsFramed(early)) << "its frame was closed by the user";
    CloseFrameAround(later);
}

// Frames started by the resident glaze are bounded: MAXFRAMES live, as many wait, the rest are
// skipped, and one note says so. The icon is offered again until the shell takes it.
TEST(ResidentBounded, NoMoreFramesLiveThanSetTheRestWaitOrAreSkippedWithOneNote) {
    AppDir app(L"glaze_faults.exe");
    app.CopyBundledSkins();
    ScreenshotOnFailure screenshot;
    std::ofstream(std::filesystem::path(app.Dir() / L"rules.ini"))
        << "[GLAZE]\r\nMAXFRAMES=2\r\n"
           "[RULE1]\r\nPROGRAM=glaze_target.exe\r\nSKIN=Jade\r\nCLOSE=1\r\n";
    std::vector<std::unique_ptr<TargetProgram>> targets;
    for (int i = 1; i <= 5; ++i) {
        targets.push_back(std::make_unique<TargetProgram>(L"上限 " + std::to_wstring(i)));
    }
    const auto framed = [&] {
        std::vector<size_t> which;
        for (size_t i = 0; i < targets.size(); ++i) {
            if (IsFramed(*targets[i])) {
                which.push_back(i);
            }
        }
        return which;
    };
    const std::wstring notes = app.Dir() / L"notes.txt";
    SetEnvironmentVariableW(L"GLAZE_TEST_NOTES", notes.c_str());
    SetEnvironmentVariableW(L"GLAZE_TEST_FAULT", L"tray-late");
    ResidentGlaze resident(app);
    SetEnvironmentVariableW(L"GLAZE_TEST_NOTES", nullptr);
    SetEnvironmentVariableW(L"GLAZE_TEST_FAULT", nullptr);
    const auto iconShown = [&] {
        NOTIFYICONDATAW icon{};
        icon.cbSize = sizeof icon;
        icon.hWnd = resident.Window();
        icon.uID = 1;
        return Shell_NotifyIconW(NIM_MODIFY, &icon) != FALSE;
    };
    EXPECT_FALSE(iconShown());
    ASSERT_TRUE(WaitUntil([&] { return framed().size() == 2; }));
    EXPECT_TRUE(WaitUntil(iconShown));
    const auto noteLines = [&] {
        std::ifstream in{std::filesystem::path(notes)};
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    };
    ASSERT_TRUE(WaitUntil([&] { return !noteLines().empty(); }));
    std::this_thread::sleep_for(2s);
    const std::vector<size_t> first = framed();
    EXPECT_EQ(first.size(), 2u);
    EXPECT_EQ(noteLines(), std::vector<std::string>{ToUtf8(
                               L"同时运行的框架已达上限（2 个），1 个窗口未加框，2 个在等候。")});

    // The frames running now, with their skins. One given back, its program left open (though
    // the rule closes a program with its frame): a waiting window takes its place.
    const std::vector<RunningFrame> running = RunningFrames();
    ASSERT_EQ(running.size(), 2u);
    for (const RunningFrame& frame : running) {
        EXPECT_TRUE(frame.Title.starts_with(L"上限 ")) << frame.Title.size();
        EXPECT_EQ(frame.Skin, L"Jade");
    }
    PostMessageW(running[0].Frame, WM_SYSCOMMAND, SysCommand::GiveBack, 0);
    ASSERT_TRUE(WaitUntil([&] {
        const std::vector<size_t> now = framed();
        return now.size() == 2 && now != first;
    }));

    // Every window given back at once; the one still waiting is not framed in their places.
    PostMessageW(resident.Window(), WM_COMMAND, GiveAllBackCommand, 0);
    EXPECT_TRUE(WaitUntil([&] { return framed().empty(); }));
    std::this_thread::sleep_for(1500ms);
    EXPECT_TRUE(framed().empty());
    for (const auto& target : targets) {
        EXPECT_FALSE(target->LogContains("CLOSE")) << target->LogText();
        EXPECT_TRUE(target->Proc().Running());
    }
    EXPECT_EQ(noteLines().size(), 1u);
}

} // namespace
} // namespace glaze::e2e
