// Every process starts here, from the frame window's on-load: it decides whether the process is
// the control panel or a frame, reads the settings or the command line, prepares the frame
// window for per-pixel alpha, has the skin loaded and drawn around the content window, and
// hooks the two windows together.

#include "lifecycle/Startup.h"

#include "frame/FrameWindow.h"

#include "frame/FollowFrame.h"
#include "frame/FrameLimits.h"
#include "lifecycle/AppDir.h"
#include "platform/Captions.h"
#include "settings/CommandLine.h"
#include "platform/WindowTitles.h"
#include "settings/RunSettings.h"
#include "lifecycle/TheForms.h"
#include "panel/ContentWindow.h"
#include "platform/AnsiText.h"
#include "platform/GdiPlus.h"
#include "platform/Screens.h"
#include "resident/Resident.h"
#include "settings/HandOverFile.h"
#include "settings/UserSettings.h"

#include <array>

namespace glaze {
namespace {

// The desktop counts as no window in front: then the saved or built-in title applies. So does
// the resident glaze's hidden window, in front while its menu is open: a panel opened from that
// menu starts as one opened from the desktop.
bool IsDesktop(HWND window) {
    return window == nullptr || window == GetDesktopWindow() || window == GetShellWindow() ||
           window == FindWindowA("Progman", "Program Manager") || IsResidentWindow(window);
}

// The control panel's settings, and the title it offers first: the window that was in front
// when the panel was started.
std::wstring ReadPanelSettings() {
    const UserSettings saved = ReadUserSettings(TheRun().AppDir);
    TheRun().SaveSettings = saved.Save;
    TheRun().StyleIndex = saved.StyleIndex;
    TheRun().CloseProgram = saved.CloseProgram;
    std::wstring defaultTitle = saved.WindowText;
    HWND foreground = GetForegroundWindow();
    if (!IsDesktop(foreground)) {
        std::array<char, 255> title{};
        const int length = GetWindowTextA(foreground, title.data(), static_cast<int>(title.size()));
        defaultTitle = std::wstring(TrimBlanks(FromAnsi(
            std::string_view(title.data(), static_cast<size_t>(length > 0 ? length : 0)))));
    }
    return defaultTitle;
}

struct FrameStart {
    FrameArguments Args;
    HWND Target = nullptr; // the shown window with the title
};

// The window to frame. A frame started for one exact window finds it beside the argument text
// and takes it whatever its title is now (a console running a command, a page loading), as long
// as it is the same window: a shown top-level window of the thread that made it. The title on
// the command line still names it for the caption and the hand-over. Any other frame takes the
// first shown window with the title.
HWND FrameTarget(std::wstring_view title) {
    std::array<wchar_t, 128> extrasText{};
    const DWORD length = GetEnvironmentVariableW(FrameExtrasVariable, extrasText.data(),
                                                 static_cast<DWORD>(extrasText.size()));
    if (length == 0) {
        return ShownWindowTitled(title);
    }
    const auto extras = length < extrasText.size()
                            ? ReadFrameExtras(std::wstring_view(extrasText.data(), length))
                            : std::nullopt;
    if (!extras) {
        return nullptr;
    }
    TheRun().StartOnTop = extras->OnTop;
    TheRun().StartOpacity = extras->Opacity;
    const auto window = reinterpret_cast<HWND>(static_cast<uintptr_t>(extras->Window));
    return IsShownWindowOfThread(window, extras->Thread) ? window : nullptr;
}

// A frame process's command line and the window it frames. Ends the process at once, before
// anything is shown, when the title names this program's own window or no shown window.
FrameStart ReadFrameArguments() {
    // A stale hand-over must not re-style the new frame.
    DeleteHandOver();
    const auto args = ParseArgumentText(TheRun().ArgumentText, AnsiCodeOf);
    const HWND target = args ? FrameTarget(args->TrimmedTitle) : nullptr;
    if (target == nullptr) {
        ExitProcess(0);
    }
    TheRun().StyleIndex = args->StyleIndex;
    TheRun().CloseProgram = args->CloseProgram;
    return {*args, target};
}

// A frame comes up where the user can use it: maximised when the window was (the window fills
// it), otherwise with its caption band and buttons in reach.
void ComeUpForUse(FrameWindow& frame, TargetHost& host) {
    const TargetHost::TakenPlacement& taken = host.Taken();
    if (taken.Maximised) {
        const ScreenRect& normal = taken.NormalClient;
        frame.MaximiseAround({normal.Left, normal.Top, normal.Right, normal.Bottom});
    } else if (frame.BringIntoReach()) {
        host.NoteBroughtIntoReach();
    }
}

void MakeTopmost(HWND window) {
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace

void StartUp(FrameWindow& frame) {
    wchar_t executable[MAX_PATH]{};
    GetModuleFileNameW(nullptr, executable, MAX_PATH);
    TheRun().AppDir = AppDirOfExecutable(executable);

    std::wstring defaultTitle;
    HWND target = nullptr;
    if (!TheRun().IsFrameProcess()) {
        defaultTitle = ReadPanelSettings();
    } else {
        const FrameStart start = ReadFrameArguments();
        frame.SetCaption(start.Args.TrimmedTitle + std::wstring(FrameCaptionSuffix));
        target = start.Target;
    }

    if (!frame.StartGdiPlus()) {
        MessageBoxA(nullptr, ToAnsi(L"没有找到GDI+库!gdip.dll").c_str(), ToAnsi(L"错误").c_str(),
                    MB_ICONERROR);
        frame.Unload();
        return;
    }

    const auto style = static_cast<DWORD>(GetWindowLongPtrA(frame.Hwnd(), GWL_STYLE));
    SetWindowLongPtrA(frame.Hwnd(), GWL_STYLE,
                      static_cast<LONG_PTR>(style & ~static_cast<DWORD>(WS_CAPTION)));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(frame.Hwnd(), GWL_EXSTYLE));
    SetWindowLongPtrA(frame.Hwnd(), GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle | WS_EX_LAYERED));

    ContentWindow& content = TheContentWindow();
    if (!TheRun().IsFrameProcess()) {
        MakeTopmost(frame.Hwnd());
        content.Load();
        MakeTopmost(content.Hwnd());
        content.Panel().SetTitleBoxText(defaultTitle);
    } else {
        // The framed program may be aware of DPI otherwise than glaze: the system scales it
        // inside the content window made from here on, instead of leaving the two at odds.
        AllowMixedDpiHosting();
        content.Load();
        content.CaptureTarget(target);
    }

    frame.ReloadSkin();

    FollowFrame::InstallMoveHook(frame, true);
    content.Show();
    // The content window becomes the frame's follower with its first move after the hook is
    // in place; a first showing does not always bring one, so one is sent.
    SendMessageA(content.Hwnd(), WM_MOVE, 0, 0);
    FrameLimits::InstallLimitsHook(frame.Hwnd());
    if (TheRun().IsFrameProcess()) {
        ComeUpForUse(frame, content.Host());
    }
}

} // namespace glaze
