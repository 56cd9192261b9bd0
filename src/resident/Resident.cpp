// The resident glaze's hidden window: it holds the parts (the rules, the window watcher, the
// frame starter, the hotkey, the icon and its menu), hands each message to the part it is for,
// and keeps the icon's tooltip saying how things stand.

#include "resident/Resident.h"

#include "panel/FrameProcess.h"
#include "panel/SkinList.h"
#include "platform/Scoped.h"
#include "platform/TestFaults.h"
#include "resident/FrameStarter.h"
#include "resident/ResidentHotkey.h"
#include "resident/ResidentMenu.h"
#include "resident/RuleMatch.h"
#include "resident/RulesEditor.h"
#include "resident/RulesStore.h"
#include "resident/StartWithWindows.h"
#include "resident/TrayIcon.h"
#include "resident/WindowFactsOf.h"
#include "resident/WindowWatcher.h"
#include "settings/CommandLine.h"
#include "settings/RunSettings.h"

#include <array>
#include <optional>

namespace glaze {
namespace {

constexpr wchar_t WindowClass[] = L"GlazeResident";
// One resident glaze per user session.
constexpr wchar_t InstanceName[] = L"Local\\glaze-resident";

constexpr UINT TrayMessage = WM_APP + 1;
constexpr UINT FrameEndedMessage = WM_APP + 2;
constexpr UINT LookEverywhereMessage = WM_APP + 3;
constexpr UINT_PTR LookTimer = 1;
constexpr UINT_PTR TrayTimer = 2;
// While the shell does not take the icon (busy at log-on), it is offered again this often.
constexpr UINT TrayRetry = 2000;

UINT ShowMenuMessage() {
    static const UINT message = RegisterWindowMessageW(L"glaze.resident.menu");
    return message;
}

UINT RulesChangedMessage() {
    static const UINT message = RegisterWindowMessageW(L"glaze.resident.rules");
    return message;
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

class ResidentGlaze {
public:
    ResidentGlaze() : rules_(TheRun().AppDir) {}
    bool Create();

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void UseRules();
    void RulesSaved();
    bool LookAt(HWND window);
    void Schedule();
    void ShowIcon();
    void RunMenuCommand(UINT_PTR command);
    void Say(const std::wstring& text);
    void UpdateTip();

    HWND window_ = nullptr;
    HWND skinList_ = nullptr;
    ResidentRules rules_;
    std::optional<TrayIcon> tray_;
    std::optional<FrameStarter> starter_;
    std::optional<ResidentHotkey> hotkey_;
    std::optional<WindowWatcher> watcher_;
    ResidentMenu menu_;
    bool paused_ = false;
    std::wstring note_; // the last thing said, kept in the tooltip
};

bool ResidentGlaze::Create() {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = module;
    windowClass.lpszClassName = WindowClass;
    RegisterClassW(&windowClass);
    // An ordinary hidden window, not a message-only one: those do not hear that the taskbar
    // has been made again.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, WindowClass, L"glaze", WS_POPUP, 0, 0, 0, 0,
                              nullptr, nullptr, module, this);
    if (window_ == nullptr) {
        return false;
    }
    // The frames' skin letters are places in this sorted list, as in every frame's own.
    skinList_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT, 0, 0,
                                0, 0, window_, nullptr, module, nullptr);
    const auto say = [this](const std::wstring& text) { Say(text); };
    starter_.emplace(window_, FrameEndedMessage, skinList_, say);
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
    return true;
}

LRESULT CALLBACK ResidentGlaze::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* resident = reinterpret_cast<ResidentGlaze*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (resident == nullptr || resident->window_ == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return resident->Handle(message, wParam, lParam);
    } catch (...) {
        return 0; // nothing escapes into the platform
    }
}

// The rules as read now take effect: the hotkey, the frames' limit, the tooltip.
void ResidentGlaze::UseRules() {
    hotkey_->Take(rules_.Set());
    starter_->SetMostLive(static_cast<size_t>(rules_.Set().MaxFrames));
    UpdateTip();
}

// Rules saved (from the editor, or by hand): the open windows they name are framed too, once
// the look under way is done.
void ResidentGlaze::RulesSaved() {
    UseRules();
    PostMessageW(window_, LookEverywhereMessage, 0, 0);
}

// A window worth a look; true when it is not ready yet and wants another look soon.
bool ResidentGlaze::LookAt(HWND window) {
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

// One timer for the looks again, the reading of the window list and the starting frames: the
// soonest of them; none while nothing waits, so the process sleeps until something happens.
void ResidentGlaze::Schedule() {
    const auto watcher = watcher_->NextTickIn();
    const auto starter = starter_->NextCheckIn();
    if (!watcher && !starter) {
        KillTimer(window_, LookTimer);
        return;
    }
    const UINT delay = std::min(watcher.value_or(UINT_MAX), starter.value_or(UINT_MAX));
    SetTimer(window_, LookTimer, std::max<UINT>(delay, USER_TIMER_MINIMUM), nullptr);
}

void ResidentGlaze::ShowIcon() {
    if (!TestFaults::TrayRefused() && tray_->Show()) {
        KillTimer(window_, TrayTimer);
    } else {
        SetTimer(window_, TrayTimer, TrayRetry, nullptr);
    }
}

void ResidentGlaze::RunMenuCommand(UINT_PTR command) {
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
        UpdateTip();
        Schedule();
        break;
    case StartWithWindowsCommand:
        if (!SetStartWithWindows(!StartsWithWindows())) {
            Say(L"无法更改开机启动。");
        }
        break;
    case ExitCommand:
        // Frames are processes of their own: they stay as they are.
        DestroyWindow(window_);
        break;
    default:
        break;
    }
}

void ResidentGlaze::Say(const std::wstring& text) {
    note_ = text;
    TestFaults::Said(text);
    if (tray_) {
        tray_->ShowBalloon(L"glaze", text);
    }
    UpdateTip();
}

void ResidentGlaze::UpdateTip() {
    if (!tray_) {
        return;
    }
    std::wstring tip = L"glaze：" + std::to_wstring(rules_.Set().Rules.size()) + L" 条规则";
    if (paused_) {
        tip += L"（已暂停）";
    }
    if (const auto& hotkey = hotkey_->Current()) {
        tip += L"，热键 " + HotkeyText(*hotkey) + (hotkey_->HeldElsewhere() ? L"（被占用）" : L"");
    }
    if (!note_.empty()) {
        tip += L"\n" + note_;
    }
    tray_->SetTip(tip);
}

LRESULT ResidentGlaze::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
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
    case FrameEndedMessage:
        starter_->Check();
        Schedule();
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

} // namespace

int RunResident() {
    const ScopedHandle instance(CreateMutexW(nullptr, FALSE, InstanceName));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        if (const HWND first = FindWindowW(WindowClass, nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(first, &process);
            AllowSetForegroundWindow(process);
            PostMessageW(first, ShowMenuMessage(), 0, 0);
        }
        return 0;
    }
    ResidentGlaze resident;
    if (!resident.Create()) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

void StartResident() {
    StartThisProgram(ResidentArgument);
}

void TellResidentRulesChanged() {
    if (const HWND resident = FindWindowW(WindowClass, nullptr)) {
        PostMessageW(resident, RulesChangedMessage(), 0, 0);
    }
}

bool IsResidentWindow(HWND window) {
    std::array<wchar_t, std::size(WindowClass) + 1> name{};
    return window != nullptr &&
           GetClassNameW(window, name.data(), static_cast<int>(name.size())) > 0 &&
           std::wstring_view(name.data()) == WindowClass;
}

} // namespace glaze
