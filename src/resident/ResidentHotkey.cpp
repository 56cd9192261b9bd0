#include "resident/ResidentHotkey.h"

#include "platform/AnsiText.h"
#include "platform/Captions.h"
#include "resident/FrameStarter.h"
#include "resident/GlazeWindows.h"
#include "resident/RuleMatch.h"
#include "resident/WindowFactsOf.h"
#include "settings/RunSettings.h"
#include "settings/UserSettings.h"

namespace glaze {

ResidentHotkey::~ResidentHotkey() {
    UnregisterHotKey(window_, Id);
}

void ResidentHotkey::Take(const RuleSet& rules) {
    const auto hotkey =
        ParseHotkey(rules.HotkeyText.empty() ? DefaultHotkeyText : rules.HotkeyText);
    if (hotkey == hotkey_ && !heldElsewhere_) {
        return;
    }
    hotkey_ = hotkey;
    UnregisterHotKey(window_, Id);
    heldElsewhere_ = false;
    if (!hotkey_) {
        return;
    }
    constexpr UINT NoRepeat = 0x4000; // MOD_NOREPEAT: holding the keys frames once
    if (!RegisterHotKey(window_, Id, hotkey_->Modifiers | NoRepeat, hotkey_->Key) &&
        !RegisterHotKey(window_, Id, hotkey_->Modifiers, hotkey_->Key)) {
        heldElsewhere_ = true;
        say_(L"热键 " + HotkeyText(*hotkey_) + L" 已被其他程序占用，请在“规则…”中另选一个。");
    }
}

void ResidentHotkey::Pressed(const RuleSet& rules, FrameStarter& starter) {
    const HWND front = GetForegroundWindow();
    if (front == nullptr || front == window_) {
        return;
    }
    // A frame in front, or the framed program in it: the frame closes and gives the window back.
    if (const HWND frame = FrameAround(front)) {
        PostMessageW(frame, WM_CLOSE, 0, 0);
        return;
    }
    if (EndsWithTitleMarker(WindowTitle(front))) {
        return; // the control panel
    }
    const WindowFacts facts = WindowFactsOf(front);
    if (FrameVerdictFor(facts, rules) != FrameVerdict::MayFrame) {
        say_(facts.Title.empty() ? std::wstring(L"最前面的窗口不能加框。")
                                 : L"“" + facts.Title + L"”不能加框。");
        return;
    }
    if (starter.Full()) {
        say_(L"同时运行的框架已达上限（" + std::to_wstring(rules.MaxFrames) + L" 个），“" +
             facts.Title + L"”未加框。");
        return;
    }
    FrameLaunch launch{IdOf(front), facts.Title, {}, 0, 0};
    if (const auto rule = MatchingRule(rules, facts)) {
        const Rule& matched = rules.Rules[*rule];
        launch.Skin = matched.Skin;
        launch.CloseProgram = matched.CloseProgram;
        launch.OnTop = matched.OnTop;
        launch.Opacity = matched.Opacity;
    } else {
        // The skin and the close option the control panel keeps.
        const UserSettings saved = ReadUserSettings(TheRun().AppDir);
        if (saved.Save == 1) {
            launch.StyleIndex = saved.StyleIndex;
            launch.CloseProgram = saved.CloseProgram;
        }
    }
    starter.Add(std::move(launch), true);
}

} // namespace glaze
