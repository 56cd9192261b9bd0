#include "resident/ResidentMenu.h"

#include "platform/Scoped.h"
#include "resident/GlazeWindows.h"
#include "resident/Resident.h"
#include "resident/StartWithWindows.h"

#include <string>

namespace glaze {
namespace {

// A long list of frames ends with how many more there are.
constexpr size_t MostListed = 30;
constexpr size_t LongestTitle = 50;

// An entry's text: the title, cut when long, with the skin; "&" would underline the next letter.
std::wstring EntryText(const RunningFrame& frame) {
    std::wstring text = frame.Title.size() > LongestTitle
                            ? frame.Title.substr(0, LongestTitle) + L"…"
                            : frame.Title;
    if (!frame.Skin.empty()) {
        text += L"（" + frame.Skin + L"）";
    }
    std::wstring escaped;
    for (const wchar_t c : text) {
        escaped += c == L'&' ? L"&&" : std::wstring(1, c);
    }
    return escaped;
}

void BringToFront(HWND frame) {
    if (!IsWindow(frame)) {
        return;
    }
    if (IsIconic(frame)) {
        PostMessageW(frame, WM_SYSCOMMAND, SC_RESTORE, 0);
    }
    // The frame hands the activation on to the program it holds.
    SetForegroundWindow(frame);
}

} // namespace

void ResidentMenu::Show(HWND window, bool paused) {
    const ScopedMenu menu(CreatePopupMenu());
    AppendMenuW(menu, MF_STRING, OpenPanelCommand, L"打开控制面板");
    AppendMenuW(menu, MF_STRING, EditRulesCommand, L"规则…");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);

    const std::vector<RunningFrame> frames = RunningFrames();
    frames_.clear();
    for (const RunningFrame& frame : frames) {
        if (frames_.size() == MostListed) {
            AppendMenuW(
                menu, MF_STRING | MF_GRAYED, 0,
                (L"……另有 " + std::to_wstring(frames.size() - MostListed) + L" 个").c_str());
            break;
        }
        AppendMenuW(menu, MF_STRING, FirstFrameCommand + frames_.size(), EntryText(frame).c_str());
        frames_.push_back(frame.Frame);
    }
    if (frames.empty()) {
        AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, L"（没有加框的窗口）");
    }
    AppendMenuW(menu, MF_STRING | (frames.empty() ? UINT{MF_GRAYED} : UINT{0}), GiveAllBackCommand,
                L"全部还原");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);

    AppendMenuW(menu, MF_STRING, PauseCommand, paused ? L"继续" : L"暂停");
    AppendMenuW(menu, MF_STRING | (StartsWithWindows() ? UINT{MF_CHECKED} : UINT{MF_UNCHECKED}),
                StartWithWindowsCommand, L"开机启动");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, ExitCommand, L"退出");
    SetMenuDefaultItem(menu, OpenPanelCommand, FALSE);
    POINT pointer{};
    GetCursorPos(&pointer);
    // The menu closes when the user clicks elsewhere only if its window is in front.
    SetForegroundWindow(window);
    // The choice arrives as WM_COMMAND, after the menu is gone.
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, pointer.x, pointer.y, 0, window, nullptr);
    PostMessageW(window, WM_NULL, 0, 0);
}

bool ResidentMenu::Run(UINT_PTR command) {
    if (command >= FirstFrameCommand && command - FirstFrameCommand < frames_.size()) {
        BringToFront(frames_[command - FirstFrameCommand]);
        return true;
    }
    return false;
}

} // namespace glaze
