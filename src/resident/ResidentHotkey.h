#pragma once
// The resident glaze's hotkey: taken for its window as the rules name it, and what a press does
// with the window in front. A window in a frame is given back; any other program window is
// framed with the skin of the rule that fits it, or the skin the control panel keeps.

#include "resident/HotkeyText.h"
#include "resident/RuleFile.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace glaze {

class FrameStarter;

class ResidentHotkey {
public:
    // The hotkey's WM_HOTKEY identifier on the window.
    static constexpr int Id = 1;

    ResidentHotkey(HWND window, std::function<void(const std::wstring&)> say)
        : window_(window), say_(std::move(say)) {}
    ~ResidentHotkey();
    ResidentHotkey(const ResidentHotkey&) = delete;
    ResidentHotkey& operator=(const ResidentHotkey&) = delete;

    // Takes the hotkey the rules name (the default one when they name none), unless it is held
    // already; a hotkey another program holds is said, and tried again with the next rules.
    void Take(const RuleSet& rules);
    const std::optional<Hotkey>& Current() const { return hotkey_; }
    bool HeldElsewhere() const { return heldElsewhere_; }

    // The hotkey was pressed.
    void Pressed(const RuleSet& rules, FrameStarter& starter);

private:
    HWND window_;
    std::function<void(const std::wstring&)> say_;
    std::optional<Hotkey> hotkey_;
    bool heldElsewhere_ = false;
};

} // namespace glaze
