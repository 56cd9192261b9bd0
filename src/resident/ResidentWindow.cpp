#include "resident/ResidentWindow.h"

#include "panel/FrameProcess.h"
#include "panel/SkinList.h"
#include "platform/TestFaults.h"
#include "platform/WindowObject.h"
#include "resident/Resident.h"
#include "resident/RuleMatch.h"
#include "resident/RulesEditor.h"
#include "resident/StartWithWindows.h"
#include "resident/WindowFactsOf.h"
#include "settings/RunSettings.h"

#include <algorithm>

namespace glaze {
namespace {

constexpr UINT TrayMessage = WM_APP + 1;
constexpr UINT LookEverywhereMessage = WM_APP + 2;
constexpr UINT_PTR LookTimer = 1;
constexpr UINT_PTR TrayTimer = 2;
// While the shell does not take the icon (busy at log-on), it is offered again this often.
constexpr UINT TrayRetry = 2000;

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

} // namespace

UINT ShowMenuMessage() {
    static const UINT message = RegisterWindowMessageW(L"glaze.resident.menu");
    return message;
}

UINT RulesChangedMessage() {
    static const UINT message = RegisterWindowMessageW(L"glaze.resident.rules");
    return message;
}

ResidentWindow::ResidentWindow() : rules_(TheRun().AppDir) {}

bool ResidentWindow::Create() {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ObjectWindowProc<ResidentWindow>;
    windowClass.hInstance = module;
    windowClass.lpszClassName = ResidentWindowClass;
    RegisterClassW(&windowClass);
    // An ordinary hidden window, not a message-only one: those do not hear that the taskbar
    // has been made again.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, ResidentWindowClass, L"", WS_POPUP, 0, 0, 0, 0,
                              nullptr, nullptr, module, this);
    if (window_ == nullptr) {
        return false;
    }
    // The frames' skin letters are places in this sorted list, as in every frame's own.
    skinList_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT, 0, 0,
                                0, 0, window_, nullptr, module, nullptr);
    const auto say = [this](const std::wstring& text) { Say(text); };
    starter_.emplace(skinList_, say);
    hotkey_.emplace(window_, say);
    watcher_.emplace([this](HWND window) { return LookAt(window); },
                     [this](HWND window) { starter_->NewWindow(IdOf(window)); },
                     [this] { Schedule(); });
    tray_.emplace(window_, TrayMessage);
    ShowIcon();
    rules_.Reload();
    UseRules();
    FillSkinList(skinList_, TheRun().AppDir);
    RuleProblems missing;
    AddMissingSkins(missing, rules_.Set(), SkinListNames(skinList_));
    if (const size_t unusable = rules_.ProblemCount() + missing.Count(); unusable > 0) {
        Say(L"rules.ini 中有 " + std::to_wstring(unusable) +
            L" 处无法使用，已跳过；在“规则…”中可以看到。");
    }
    // Events first, then the windows there are already: none falls between the two.
    watcher_->Watch(true);
    watcher_->LookAtEveryWindow();
    Schedule();
    SetWindowTextW(window_, ResidentReadyName);
    return true;
}

// The rules as read now take effect: the hotkey, the frames' limit, the tooltip.
void ResidentWindow::UseRules() {
    hotkey_->Take(rules_.Set());
    starter_->SetMostLive(static_cast<size_t>(rules_.Set().MaxFrames));
    ShowStatus();
}

// Rules saved (from the editor, or by hand): the open windows they name are framed too, once
// the look under way is done.
void ResidentWindow::RulesSaved() {
    UseRules();
    PostMessageW(window_, LookEverywhereMessage, 0, 0);
}

// A window worth a look; true when it is not ready yet and wants another look soon.
bool ResidentWindow::LookAt(HWND window) {
    const WindowId id = IdOf(window);
    if (paused_ || starter_->WasFramed(id)) {
        return false;
    }
    if (rules_.ReloadIfChanged()) {
        RulesSaved();
    }
    const RuleSet& rules = rules_.Set();
    if (rules.Rules.empty()) {
        return false;
    }
    const WindowFacts facts = WindowFactsOf(window);
    // Windows of programs that no rule names are never looked at again.
    if (!AnyRuleForProgram(rules, facts.Program)) {
        return false;
    }
    switch (FrameVerdictFor(facts, rules)) {
    case FrameVerdict::NotYet:
        return true;
    case FrameVerdict::Never:
    case FrameVerdict::Excluded:
        return false;
    case FrameVerdict::MayFrame:
        break;
    }
    if (const auto rule = MatchingRule(rules, facts)) {
        const Rule& matched = rules.Rules[*rule];
        starter_->Add({id, facts.Title, matched.Skin, 0, matched.CloseProgram, matched.OnTop,
                       matched.Opacity});
    }
    return false;
}

// One timer for the looks again, the reading of the window list, the starting frames and the
// frames to give back: the soonest of them; none while nothing waits, so the process sleeps
// until something happens.
void ResidentWindow::Schedule() {
    constexpr UINT GivingBackLook = 100;
    const auto watcher = watcher_->NextTickIn();
    const auto starter = starter_->NextCheckIn();
    const auto givingBack =
        givingBack_.Active() ? std::optional<UINT>(GivingBackLook) : std::nullopt;
    if (!watcher && !starter && !givingBack) {
        KillTimer(window_, LookTimer);
        return;
    }
    const UINT delay = std::min(
        {watcher.value_or(UINT_MAX), starter.value_or(UINT_MAX), givingBack.value_or(UINT_MAX)});
    SetTimer(window_, LookTimer, std::max<UINT>(delay, USER_TIMER_MINIMUM), nullptr);
}

void ResidentWindow::ShowIcon() {
    if (!TestFaults::TrayRefused() && tray_->Show()) {
        KillTimer(window_, TrayTimer);
    } else {
        SetTimer(window_, TrayTimer, TrayRetry, nullptr);
    }
}

void ResidentWindow::RunMenuCommand(UINT_PTR command) {
    if (menu_.Run(command)) {
        return;
    }
    switch (command) {
    case OpenPanelCommand:
        StartThisProgram(L"");
        break;
    case EditRulesCommand:
        EditRules(nullptr, TheRun().AppDir); // a save is told with RulesChangedMessage
        break;
    case PauseCommand:
        paused_ = !paused_;
        watcher_->Watch(!paused_);
        if (paused_) {
            starter_->ClearWaiting();
        }
        ShowStatus();
        Schedule();
        break;
    case StartWithWindowsCommand:
        if (!SetStartWithWindows(!StartsWithWindows())) {
            Say(L"无法更改开机启动。");
        }
        break;
    case GiveAllBackCommand:
        // No window waiting for a place takes the place of one given back.
        starter_->ClearWaiting();
        givingBack_.Begin();
        Schedule();
        break;
    case ExitCommand:
        // Frames are processes of their own: they stay as they are.
        DestroyWindow(window_);
        break;
    default:
        break;
    }
}

void ResidentWindow::Say(const std::wstring& text) {
    TestFaults::Said(text);
    tray_->Say(text);
}

// The rules, the pause and the hotkey, in the icon's tooltip.
void ResidentWindow::ShowStatus() {
    std::wstring status = L"glaze：" + std::to_wstring(rules_.Set().Rules.size()) + L" 条规则";
    if (paused_) {
        status += L"（已暂停）";
    }
    if (const auto& hotkey = hotkey_->Current()) {
        status +=
            L"，热键 " + HotkeyText(*hotkey) + (hotkey_->HeldElsewhere() ? L"（被占用）" : L"");
    }
    tray_->SetStatus(status);
}

LRESULT ResidentWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TrayMessage) {
        const UINT mouse = LOWORD(lParam);
        if (mouse == WM_RBUTTONUP || mouse == WM_LBUTTONUP || mouse == WM_CONTEXTMENU) {
            menu_.Show(window_, paused_);
        }
        return 0;
    }
    if (message == ShowMenuMessage()) {
        menu_.Show(window_, paused_);
        return 0;
    }
    if (message == RulesChangedMessage()) {
        rules_.Reload();
        RulesSaved();
        return 0;
    }
    if (message == TaskbarCreatedMessage()) {
        ShowIcon();
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        if (lParam == 0) {
            RunMenuCommand(LOWORD(wParam));
        }
        return 0;
    case WM_HOTKEY:
        if (wParam == ResidentHotkey::Id) {
            hotkey_->Pressed(rules_.Set(), *starter_);
            Schedule();
        }
        return 0;
    case LookEverywhereMessage:
        if (!paused_) {
            watcher_->LookAtEveryWindow();
            Schedule();
        }
        return 0;
    case WM_TIMER:
        if (wParam == LookTimer) {
            watcher_->Tick();
            starter_->Check();
            if (givingBack_.Active()) {
                givingBack_.Continue(starter_->Starting());
            }
            Schedule();
        } else if (wParam == TrayTimer) {
            ShowIcon();
        }
        return 0;
    case WM_CLOSE:
        RunMenuCommand(ExitCommand);
        return 0;
    case WM_DESTROY:
        hotkey_.reset();
        watcher_.reset();
        tray_.reset();
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

} // namespace glaze
