#include "resident/Resident.h"

#include "panel/FrameProcess.h"
#include "panel/SkinList.h"
#include "platform/AnsiText.h"
#include "platform/Captions.h"
#include "platform/Scoped.h"
#include "platform/TestFaults.h"
#include "platform/TopLevelWindows.h"
#include "resident/FrameStarter.h"
#include "resident/HotkeyText.h"
#include "resident/RulesEditor.h"
#include "resident/RulesStore.h"
#include "resident/StartWithWindows.h"
#include "resident/TrayIcon.h"
#include "resident/WindowFactsOf.h"
#include "settings/CommandLine.h"
#include "settings/RunSettings.h"
#include "settings/UserSettings.h"

#include <optional>
#include <set>

namespace glaze {
namespace {

constexpr wchar_t WindowClass[] = L"GlazeResident";
// One resident glaze per user session.
constexpr wchar_t InstanceName[] = L"Local\\glaze-resident";

constexpr UINT TrayMessage = WM_APP + 1;
constexpr UINT_PTR LookTimer = 1;
constexpr UINT_PTR SweepTimer = 2;
constexpr int HotkeyId = 1;
// How often the starting frames are looked at.
constexpr UINT StartingLook = 50;
// Without window events, the list of windows is read this often.
constexpr UINT SweepMilliseconds = 1000;

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

bool IsTopLevel(HWND window) {
    return GetAncestor(window, GA_PARENT) == GetDesktopWindow();
}

// The top-level window the window lies in: a framed program's window lies on its frame's content
// window without being a child window, and may be the active one.
HWND OutermostWindowOf(HWND window) {
    const HWND desktop = GetDesktopWindow();
    for (HWND parent = GetAncestor(window, GA_PARENT); parent != nullptr && parent != desktop;
         parent = GetAncestor(window, GA_PARENT)) {
        window = parent;
    }
    return window;
}

// For a window of a frame process (the frame or its content window): that frame. Nothing for
// other windows, and for the control panel's.
HWND FrameOfGlazeWindow(HWND window) {
    if (!EndsWithTitleMarker(WindowTitle(window))) {
        return nullptr;
    }
    DWORD glazeProcess = 0;
    GetWindowThreadProcessId(window, &glazeProcess);
    for (const HWND candidate : TopLevelWindows()) {
        DWORD process = 0;
        GetWindowThreadProcessId(candidate, &process);
        if (process == glazeProcess && WindowTitle(candidate).ends_with(FrameCaptionSuffix)) {
            return candidate;
        }
    }
    return nullptr;
}

std::set<WindowId> TopLevelWindowIds() {
    std::set<WindowId> ids;
    for (const HWND window : TopLevelWindows()) {
        ids.insert(IdOf(window));
    }
    return ids;
}

bool operator==(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

class ResidentGlaze {
public:
    bool Create();
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnWinEvent(DWORD event, HWND window);

private:
    void ReloadRules();
    void ReloadRulesIfChanged();
    void RegisterTheHotkey();
    void Watch(bool on);
    void LookAt(HWND window);
    void OnLookTimer();
    void Sweep();
    void ScheduleLook();
    void OnHotkey();
    void ShowMenu();
    void RunMenuCommand(UINT_PTR command);
    void Say(const std::wstring& text);
    void UpdateTip();

    HWND window_ = nullptr;
    HWND skinList_ = nullptr;
    std::optional<TrayIcon> tray_;
    RuleReading rules_;
    FILETIME rulesTime_{};
    std::optional<Hotkey> hotkey_;
    bool hotkeyTaken_ = false;
    std::optional<FrameStarter> starter_;
    PendingWindows pending_;
    ScopedWinEventHook hook_;
    // Without window events: the windows of the last sweep, and when it was.
    bool sweeping_ = false;
    std::set<WindowId> swept_;
    ULONGLONG lastSweep_ = 0;
    bool paused_ = false;
    std::wstring note_; // the last thing said, kept in the tooltip
};

ResidentGlaze* theResident = nullptr;

LRESULT CALLBACK ResidentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (theResident != nullptr) {
            return theResident->Handle(window, message, wParam, lParam);
        }
    } catch (...) {
        return 0; // nothing escapes into the platform
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void CALLBACK WinEventProc(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                           DWORD) {
    if (theResident == nullptr || window == nullptr || object != OBJID_WINDOW ||
        child != CHILDID_SELF) {
        return;
    }
    try {
        theResident->OnWinEvent(event, window);
    } catch (...) {
    }
}

bool ResidentGlaze::Create() {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ResidentProc;
    windowClass.hInstance = module;
    windowClass.lpszClassName = WindowClass;
    RegisterClassW(&windowClass);
    // An ordinary hidden window, not a message-only one: those do not hear that the taskbar
    // has been made again.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, WindowClass, L"glaze", WS_POPUP, 0, 0, 0, 0,
                              nullptr, nullptr, module, nullptr);
    if (window_ == nullptr) {
        return false;
    }
    // The frames' skin letters are places in this sorted list, as in every frame's own.
    skinList_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT, 0, 0,
                                0, 0, window_, nullptr, module, nullptr);
    starter_.emplace(skinList_, [this](const std::wstring& text) { Say(text); });
    tray_.emplace(window_, TrayMessage);
    tray_->Show();
    ReloadRules(); // registers the hotkey
    Watch(true);
    FillSkinList(skinList_, TheRun().AppDir);
    const size_t unusable =
        rules_.Problems.size() + MissingSkins(rules_.Set, SkinListNames(skinList_)).size();
    if (unusable > 0) {
        Say(L"rules.ini 中有 " + std::to_wstring(unusable) +
            L" 行无法使用，已跳过；在“规则…”中可以看到。");
    }
    return true;
}

void ResidentGlaze::ReloadRules() {
    rules_ = LoadRules(TheRun().AppDir);
    rulesTime_ = RulesWriteTime(TheRun().AppDir);
    const std::wstring text =
        rules_.Set.HotkeyText.empty() ? std::wstring(DefaultHotkeyText) : rules_.Set.HotkeyText;
    const auto hotkey = ParseHotkey(text);
    if (hotkey != hotkey_ || hotkeyTaken_) {
        hotkey_ = hotkey;
        if (window_ != nullptr && tray_) {
            RegisterTheHotkey();
        }
    }
    UpdateTip();
}

void ResidentGlaze::ReloadRulesIfChanged() {
    // A look at the file's time costs little and catches edits made by hand.
    if (!(RulesWriteTime(TheRun().AppDir) == rulesTime_)) {
        ReloadRules();
    }
}

void ResidentGlaze::RegisterTheHotkey() {
    UnregisterHotKey(window_, HotkeyId);
    hotkeyTaken_ = false;
    if (!hotkey_) {
        return;
    }
    constexpr UINT NoRepeat = 0x4000; // MOD_NOREPEAT: holding the keys frames once
    if (!RegisterHotKey(window_, HotkeyId, hotkey_->Modifiers | NoRepeat, hotkey_->Key) &&
        !RegisterHotKey(window_, HotkeyId, hotkey_->Modifiers, hotkey_->Key)) {
        hotkeyTaken_ = true;
        Say(L"热键 " + HotkeyText(*hotkey_) + L" 已被其他程序占用，请在“规则…”中另选一个。");
    }
    UpdateTip();
}

void ResidentGlaze::Watch(bool on) {
    KillTimer(window_, SweepTimer);
    sweeping_ = false;
    hook_.Reset();
    if (!on) {
        return;
    }
    if (!TestFaults::NoWindowEvents()) {
        hook_.Reset(SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, nullptr, WinEventProc,
                                    0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
    }
    if (!hook_) {
        // No events to be had: the list of windows is read now and then instead. The windows
        // there already are not new.
        swept_ = TopLevelWindowIds();
        SetTimer(window_, SweepTimer, SweepMilliseconds, nullptr);
        sweeping_ = true;
    }
}

void ResidentGlaze::OnWinEvent(DWORD event, HWND window) {
    if (event == EVENT_OBJECT_DESTROY) {
        pending_.Remove(IdOf(window));
        return;
    }
    if (!IsTopLevel(window)) {
        return;
    }
    if (event == EVENT_OBJECT_CREATE) {
        starter_->NewWindow(IdOf(window));
    }
    LookAt(window);
    ScheduleLook();
}

void ResidentGlaze::LookAt(HWND window) {
    const WindowId id = IdOf(window);
    if (paused_ || starter_->WasFramed(id)) {
        pending_.Remove(id);
        return;
    }
    ReloadRulesIfChanged();
    if (rules_.Set.Rules.empty() || !IsWindow(window)) {
        pending_.Remove(id);
        return;
    }
    const WindowFacts facts = WindowFactsOf(window);
    // Windows of programs that no rule names are never looked at again.
    if (!AnyRuleForProgram(rules_.Set, facts.Program)) {
        pending_.Remove(id);
        return;
    }
    switch (FrameVerdictFor(facts, rules_.Set)) {
    case FrameVerdict::NotYet:
        pending_.Add(id, GetTickCount64());
        return;
    case FrameVerdict::Never:
    case FrameVerdict::Excluded:
        pending_.Remove(id);
        return;
    case FrameVerdict::MayFrame:
        break;
    }
    pending_.Remove(id);
    if (const auto rule = MatchingRule(rules_.Set, facts)) {
        const Rule& matched = rules_.Set.Rules[*rule];
        starter_->Add({id, facts.Title, matched.Skin, 0, matched.CloseProgram});
    }
}

void ResidentGlaze::OnLookTimer() {
    for (const WindowId id : pending_.Due(GetTickCount64())) {
        LookAt(WindowOf(id));
    }
    starter_->Check();
    // A timer that is always due first keeps the platform from ever raising a later one (Wine
    // does so): while this one runs, it sweeps too when a sweep is due.
    if (sweeping_ && GetTickCount64() - lastSweep_ >= SweepMilliseconds) {
        Sweep();
    }
    ScheduleLook();
}

void ResidentGlaze::Sweep() {
    lastSweep_ = GetTickCount64();
    std::set<WindowId> now = TopLevelWindowIds();
    // A window that left the list may be in a frame and come back from it, still itself; only
    // a handle that names no window any more may name a new one later.
    for (const WindowId id : swept_) {
        if (!now.contains(id) && !IsWindow(WindowOf(id))) {
            starter_->NewWindow(id);
        }
    }
    for (const WindowId id : now) {
        if (!swept_.contains(id)) {
            LookAt(WindowOf(id));
        }
    }
    swept_ = std::move(now);
}

void ResidentGlaze::ScheduleLook() {
    if (pending_.Empty() && !starter_->Busy()) {
        // Nothing to wait for: no timer, so the process sleeps until something happens.
        KillTimer(window_, LookTimer);
        return;
    }
    UINT delay = StartingLook;
    if (!pending_.Empty()) {
        delay = std::min<UINT>(delay, static_cast<UINT>(pending_.NextLookIn(GetTickCount64())));
    }
    SetTimer(window_, LookTimer, delay, nullptr);
}

void ResidentGlaze::OnHotkey() {
    const HWND front = GetForegroundWindow();
    if (front == nullptr || front == window_) {
        return;
    }
    // A frame in front, or the framed program in it: the frame closes and gives the window back.
    if (const HWND outermost = OutermostWindowOf(front);
        EndsWithTitleMarker(WindowTitle(outermost))) {
        if (const HWND frame = FrameOfGlazeWindow(outermost)) {
            PostMessageW(frame, WM_CLOSE, 0, 0);
        }
        return;
    }
    ReloadRulesIfChanged();
    const WindowFacts facts = WindowFactsOf(front);
    if (FrameVerdictFor(facts, rules_.Set) != FrameVerdict::MayFrame) {
        Say(facts.Title.empty() ? std::wstring(L"最前面的窗口不能加框。")
                                : L"“" + facts.Title + L"”不能加框。");
        return;
    }
    FrameLaunch launch{IdOf(front), facts.Title, {}, 0, 0};
    if (const auto rule = MatchingRule(rules_.Set, facts)) {
        launch.Skin = rules_.Set.Rules[*rule].Skin;
        launch.CloseProgram = rules_.Set.Rules[*rule].CloseProgram;
    } else {
        // The skin and the close option the control panel keeps.
        const UserSettings saved = ReadUserSettings(TheRun().AppDir);
        if (saved.Save == 1) {
            launch.StyleIndex = saved.StyleIndex;
            launch.CloseProgram = saved.CloseProgram;
        }
    }
    starter_->Add(std::move(launch), true);
    ScheduleLook();
}

void ResidentGlaze::ShowMenu() {
    const ScopedMenu menu(CreatePopupMenu());
    const UINT checked = StartsWithWindows() ? MF_CHECKED : MF_UNCHECKED;
    AppendMenuW(menu, MF_STRING, OpenPanelCommand, L"打开控制面板");
    AppendMenuW(menu, MF_STRING, EditRulesCommand, L"规则…");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, PauseCommand, paused_ ? L"继续" : L"暂停");
    AppendMenuW(menu, MF_STRING | checked, StartWithWindowsCommand, L"开机启动");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, ExitCommand, L"退出");
    SetMenuDefaultItem(menu, OpenPanelCommand, FALSE);
    POINT pointer{};
    GetCursorPos(&pointer);
    // The menu closes when the user clicks elsewhere only if its window is in front.
    SetForegroundWindow(window_);
    // The choice arrives as WM_COMMAND, after the menu is gone.
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, pointer.x, pointer.y, 0, window_, nullptr);
    PostMessageW(window_, WM_NULL, 0, 0);
}

void ResidentGlaze::RunMenuCommand(UINT_PTR command) {
    switch (command) {
    case OpenPanelCommand:
        StartThisProgram(L"");
        break;
    case EditRulesCommand:
        EditRules(nullptr, TheRun().AppDir);
        ReloadRules();
        break;
    case PauseCommand:
        paused_ = !paused_;
        Watch(!paused_);
        UpdateTip();
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
    if (tray_) {
        tray_->ShowBalloon(L"glaze", text);
    }
    UpdateTip();
}

void ResidentGlaze::UpdateTip() {
    if (!tray_) {
        return;
    }
    std::wstring tip = L"glaze：" + std::to_wstring(rules_.Set.Rules.size()) + L" 条规则";
    if (paused_) {
        tip += L"（已暂停）";
    }
    if (hotkey_) {
        tip += L"，热键 " + HotkeyText(*hotkey_) + (hotkeyTaken_ ? L"（被占用）" : L"");
    }
    if (!note_.empty()) {
        tip += L"\n" + note_;
    }
    tray_->SetTip(tip);
}

LRESULT ResidentGlaze::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TrayMessage) {
        const UINT mouse = LOWORD(lParam);
        if (mouse == WM_RBUTTONUP || mouse == WM_LBUTTONUP || mouse == WM_CONTEXTMENU) {
            ShowMenu();
        }
        return 0;
    }
    if (message == ShowMenuMessage()) {
        ShowMenu();
        return 0;
    }
    if (message == RulesChangedMessage()) {
        ReloadRules();
        return 0;
    }
    if (message == TaskbarCreatedMessage()) {
        tray_->Show();
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        if (lParam == 0) {
            RunMenuCommand(LOWORD(wParam));
        }
        return 0;
    case WM_HOTKEY:
        if (wParam == HotkeyId) {
            OnHotkey();
        }
        return 0;
    case WM_TIMER:
        if (wParam == LookTimer) {
            OnLookTimer();
        } else if (wParam == SweepTimer) {
            Sweep();
            ScheduleLook();
        }
        return 0;
    case WM_CLOSE:
        RunMenuCommand(ExitCommand);
        return 0;
    case WM_DESTROY:
        UnregisterHotKey(window, HotkeyId);
        hook_.Reset();
        tray_.reset();
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
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
    theResident = &resident;
    if (!resident.Create()) {
        theResident = nullptr;
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    theResident = nullptr;
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

} // namespace glaze
