#pragma once
// The resident glaze's hidden window: it holds the parts (the rules, the window watcher, the
// frame starter, the hotkey, the icon and its menu), hands each message to the part it is for,
// and keeps the icon's tooltip saying how things stand. The window keeps its object.

#include "resident/FrameStarter.h"
#include "resident/GlazeWindows.h"
#include "resident/ResidentHotkey.h"
#include "resident/ResidentMenu.h"
#include "resident/RulesStore.h"
#include "resident/TrayIcon.h"
#include "resident/WindowWatcher.h"

#include <windows.h>

#include <optional>

namespace glaze {

// The window's class, by which a second start and the rules editor find it.
inline constexpr wchar_t ResidentWindowClass[] = L"GlazeResident";
// The window's name, which it takes only once its hotkey, rules and icon are in place: the
// window exists a moment (with a busy shell, seconds) before it hears the hotkey.
inline constexpr wchar_t ResidentReadyName[] = L"glaze";
// Registered messages to it: show the icon's menu; rules.ini has been saved.
UINT ShowMenuMessage();
UINT RulesChangedMessage();

class ResidentWindow {
public:
    ResidentWindow();
    ResidentWindow(const ResidentWindow&) = delete;
    ResidentWindow& operator=(const ResidentWindow&) = delete;

    // Makes the window and starts watching; false when no window could be made.
    bool Create();
    HWND Hwnd() const { return window_; }
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void UseRules();
    void RulesSaved();
    bool LookAt(HWND window);
    void Schedule();
    void ShowIcon();
    void RunMenuCommand(UINT_PTR command);
    void Say(const std::wstring& text);
    void ShowStatus();

    HWND window_ = nullptr;
    HWND skinList_ = nullptr;
    ResidentRules rules_;
    std::optional<TrayIcon> tray_;
    std::optional<FrameStarter> starter_;
    std::optional<ResidentHotkey> hotkey_;
    std::optional<WindowWatcher> watcher_;
    ResidentMenu menu_;
    GiveBackAll givingBack_;
    bool paused_ = false;
};

} // namespace glaze
