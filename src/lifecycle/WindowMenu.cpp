#include "lifecycle/WindowMenu.h"

#include "frame/FollowFrame.h"
#include "frame/FrameWindow.h"
#include "panel/ContentWindow.h"
#include "resident/Resident.h"
#include "resident/RulesEditor.h"
#include "settings/RunSettings.h"

#include <array>

namespace glaze {
namespace {

constexpr std::array<int, 5> OpacitySteps{100, 90, 80, 70, 60};

struct MenuState {
    FrameWindow* Frame = nullptr;
    ContentWindow* Content = nullptr;
    HMENU OpacityMenu = nullptr; // owned by the system menu
    bool OnTop = false;
};

MenuState& State() {
    static MenuState state;
    return state;
}

UINT OpacityCommandAt(size_t step) {
    return OpacityCommand + static_cast<UINT>(step) * 16;
}

void SetLayered(HWND window, bool layered) {
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    const DWORD wanted =
        layered ? exStyle | WS_EX_LAYERED : exStyle & ~static_cast<DWORD>(WS_EX_LAYERED);
    if (wanted != exStyle) {
        SetWindowLongPtrW(window, GWL_EXSTYLE, static_cast<LONG_PTR>(wanted));
    }
}

// The menu ticks the step of the percentage, if there is one.
void TickOpacity(int percent) {
    for (size_t step = 0; step < OpacitySteps.size(); ++step) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STATE;
        item.fType = MFT_RADIOCHECK;
        item.fState = OpacitySteps[step] == percent ? MFS_CHECKED : MFS_UNCHECKED;
        SetMenuItemInfoW(State().OpacityMenu, OpacityCommandAt(step), FALSE, &item);
    }
}

// Both windows at once: the frame's image, and the content window with the program on it.
void SetOpacity(int percent) {
    MenuState& state = State();
    const auto alpha = static_cast<BYTE>(percent * 255 / 100);
    state.Frame->SetOpacity(alpha);
    // A layered window costs its program a redirected surface; only a see-through one is.
    const HWND content = state.Content->Hwnd();
    SetLayered(content, alpha < 255);
    if (alpha < 255) {
        SetLayeredWindowAttributes(content, 0, alpha, LWA_ALPHA);
    }
    TickOpacity(percent);
}

void SetOnTop(bool onTop) {
    MenuState& state = State();
    state.OnTop = onTop;
    const HWND order = onTop ? HWND_TOPMOST : HWND_NOTOPMOST;
    constexpr UINT keepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(state.Frame->Hwnd(), order, 0, 0, 0, 0, keepPlace);
    SetWindowPos(state.Content->Hwnd(), order, 0, 0, 0, 0, keepPlace);
    FollowFrame::KeepFollowersAbove();
    const UINT check = onTop ? MF_CHECKED : MF_UNCHECKED;
    CheckMenuItem(GetSystemMenu(state.Frame->Hwnd(), FALSE), OnTopCommand, MF_BYCOMMAND | check);
}

bool RunCommand(UINT_PTR command) {
    MenuState& state = State();
    switch (command) {
    case ResidentCommand:
        StartResident();
        return true;
    case RulesCommand:
        EditRules(state.Frame->Hwnd(), TheRun().AppDir);
        return true;
    case OnTopCommand:
        SetOnTop(!state.OnTop);
        return true;
    case GiveBackCommand:
        if (!TheRun().IsFrameProcess()) {
            return false; // the panel holds no program's window
        }
        TheRun().CloseProgram = 0;
        PostMessageW(state.Frame->Hwnd(), WM_CLOSE, 0, 0);
        return true;
    default:
        for (size_t step = 0; step < OpacitySteps.size(); ++step) {
            if (command == OpacityCommandAt(step)) {
                SetOpacity(OpacitySteps[step]);
                return true;
            }
        }
        return false;
    }
}

} // namespace

void AddWindowMenuEntries(FrameWindow& frame, ContentWindow& content) {
    MenuState& state = State();
    state.Frame = &frame;
    state.Content = &content;
    const HMENU menu = GetSystemMenu(frame.Hwnd(), FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    if (!TheRun().IsFrameProcess()) {
        AppendMenuW(menu, MF_STRING, ResidentCommand, L"常驻通知区域");
        AppendMenuW(menu, MF_STRING, RulesCommand, L"规则…");
    } else {
        AppendMenuW(menu, MF_STRING, OnTopCommand, L"总在最前");
        state.OpacityMenu = CreatePopupMenu();
        for (size_t step = 0; step < OpacitySteps.size(); ++step) {
            AppendMenuW(state.OpacityMenu, MF_STRING, OpacityCommandAt(step),
                        (std::to_wstring(OpacitySteps[step]) + L"%").c_str());
        }
        AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(state.OpacityMenu), L"透明度");
        TickOpacity(100);
        if (TheRun().StartOpacity != 100) {
            SetOpacity(TheRun().StartOpacity);
        }
        if (TheRun().StartOnTop) {
            SetOnTop(true);
        }
    }
    frame.SetMenuCommands(RunCommand);
}

} // namespace glaze
