#include "resident/RulesEditor.h"

#include "panel/PanelFont.h"
#include "panel/SkinList.h"
#include "platform/DpiScale.h"
#include "platform/Screens.h"
#include "platform/TopLevelWindows.h"
#include "resident/HotkeyText.h"
#include "resident/Resident.h"
#include "resident/RulesStore.h"
#include "resident/WindowFactsOf.h"

#include <commctrl.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace glaze {
namespace {

constexpr wchar_t EditorClass[] = L"GlazeRulesEditor";
constexpr wchar_t Caption[] = L"glaze 规则";
constexpr int ClientWidth = 600;
constexpr int ClientHeight = 508;
constexpr DWORD EditorStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

struct ControlDesign {
    int Id; // 0 for labels
    const wchar_t* ClassName;
    const wchar_t* Text;
    DWORD Style;
    DWORD ExStyle;
    RECT Place; // left, top, width, height
};

constexpr DWORD Label = SS_LEFT | SS_NOPREFIX;
constexpr DWORD Edit = WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD Button = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD Check = WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD DropDown = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;

// In tab order.
// clang-format off
const std::array<ControlDesign, 27> Controls{{
    {0, L"STATIC", L"规则（自上而下，第一条符合的规则起作用）：", Label, 0, {8, 8, 584, 18}},
    {RuleListId, WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, WS_EX_CLIENTEDGE, {8, 28, 584, 168}},
    {0, L"STATIC", L"程序：", Label, 0, {8, 209, 50, 18}},
    {RuleProgramId, L"EDIT", L"", Edit, WS_EX_CLIENTEDGE, {58, 206, 150, 23}},
    {0, L"STATIC", L"窗口类：", Label, 0, {218, 209, 60, 18}},
    {RuleClassId, L"EDIT", L"", Edit, WS_EX_CLIENTEDGE, {278, 206, 120, 23}},
    {0, L"STATIC", L"标题：", Label, 0, {408, 209, 40, 18}},
    {RuleTitleId, L"EDIT", L"", Edit, WS_EX_CLIENTEDGE, {448, 206, 144, 23}},
    {0, L"STATIC", L"皮肤：", Label, 0, {8, 240, 50, 18}},
    {RuleSkinId, L"COMBOBOX", L"", DropDown | CBS_SORT, 0, {58, 237, 150, 200}},
    {RuleCloseId, L"BUTTON", L"能够关闭被加载的程序", Check, 0, {218, 238, 170, 20}},
    {RuleEnabledId, L"BUTTON", L"启用", Check, 0, {398, 238, 80, 20}},
    {0, L"STATIC", L"从窗口添加：", Label, 0, {8, 271, 80, 18}},
    {RuleFromWindowId, L"COMBOBOX", L"", DropDown, 0, {88, 268, 504, 300}},
    {RuleAddId, L"BUTTON", L"添加", Button, 0, {8, 300, 64, 25}},
    {RuleChangeId, L"BUTTON", L"更改", Button, 0, {78, 300, 64, 25}},
    {RuleRemoveId, L"BUTTON", L"删除", Button, 0, {148, 300, 64, 25}},
    {RulePauseId, L"BUTTON", L"暂停/启用", Button, 0, {218, 300, 80, 25}},
    {0, L"STATIC", L"不框的程序（以逗号分隔）：", Label, 0, {8, 341, 170, 18}},
    {NeverFramedId, L"EDIT", L"", Edit, WS_EX_CLIENTEDGE, {178, 338, 414, 23}},
    {0, L"STATIC", L"热键：", Label, 0, {8, 372, 50, 18}},
    {HotkeyBoxId, L"EDIT", L"", Edit, WS_EX_CLIENTEDGE, {58, 369, 150, 23}},
    {0, L"STATIC", L"（例如 Ctrl+Alt+G）", Label, 0, {218, 372, 200, 18}},
    {0, L"STATIC", L"rules.ini 中无法使用的行：", Label, 0, {8, 400, 300, 18}},
    {RuleProblemsId, L"EDIT", L"", WS_VSCROLL | ES_MULTILINE | ES_READONLY, WS_EX_CLIENTEDGE, {8, 418, 584, 52}},
    {RulesSaveId, L"BUTTON", L"保存", Button | BS_DEFPUSHBUTTON, 0, {456, 477, 64, 25}},
    {RulesCancelId, L"BUTTON", L"取消", Button, 0, {528, 477, 64, 25}},
}};
// clang-format on

struct Column {
    const wchar_t* Title;
    int Width;
};
constexpr std::array<Column, 6> Columns{{
    {L"程序", 110},
    {L"窗口类", 100},
    {L"标题", 150},
    {L"皮肤", 90},
    {L"关闭程序", 64},
    {L"状态", 50},
}};

std::wstring TextOf(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), length + 1)));
    return text;
}

std::wstring Trimmed(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

bool IsChecked(HWND box) {
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND box, bool checked) {
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

class RulesEditor {
public:
    explicit RulesEditor(std::wstring_view appDir) : appDir_(appDir) {}
    ~RulesEditor() {
        if (window_ != nullptr) {
            DestroyWindow(window_);
        }
    }
    RulesEditor(const RulesEditor&) = delete;
    RulesEditor& operator=(const RulesEditor&) = delete;

    bool Create(HWND owner);
    HWND Hwnd() const { return window_; }
    bool Done() const { return done_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    HWND Control(int id) const { return GetDlgItem(window_, id); }

    void CreateControls();
    // Places, sizes and fonts for the DPI of the monitor the editor is on: its numbers are
    // authored for 96 DPI.
    void LayOut(int32_t dpi);
    void ShowRules();
    void ShowRule(int row);
    int SelectedRow() const;
    std::optional<Rule> RuleFromFields();
    void OnCommand(int id, UINT code);
    void OnWindowChosen();
    void FillWindowChoices();
    void Save();
    void Complain(const wchar_t* text);

    std::wstring appDir_;
    RuleSet set_;
    bool hadProblems_ = false;
    std::vector<HWND> windowChoices_;
    HWND window_ = nullptr;
    std::vector<HWND> controls_; // in the order of Controls
    ScopedFont font_;
    bool done_ = false;
};

bool RulesEditor::Create(HWND owner) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // the arrow
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.hIcon = LoadIconW(module, MAKEINTRESOURCEW(1));
    windowClass.lpszClassName = EditorClass;
    RegisterClassW(&windowClass);

    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, EditorClass, Caption, EditorStyle, 0, 0,
                              ClientWidth, ClientHeight, owner, nullptr, module, this);
    if (window_ == nullptr) {
        return false;
    }
    CreateControls();
    LayOut(WindowDpi(window_));
    RECT placed{};
    GetWindowRect(window_, &placed);
    const int width = placed.right - placed.left;
    const int height = placed.bottom - placed.top;
    SetWindowPos(window_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    const RuleReading reading = LoadRules(appDir_);
    set_ = reading.Set;
    hadProblems_ = !reading.Problems.empty();
    std::vector<RuleProblem> problems = reading.Problems;
    FillSkinList(Control(RuleSkinId), appDir_);
    for (RuleProblem& missing : MissingSkins(set_, SkinListNames(Control(RuleSkinId)))) {
        problems.push_back(std::move(missing));
    }
    SetWindowTextW(Control(RuleProblemsId),
                   problems.empty() ? L"（没有）" : ProblemsText(problems).c_str());
    std::wstring never;
    for (const std::wstring& name : set_.NeverFramed) {
        never += (never.empty() ? L"" : L", ") + name;
    }
    SetWindowTextW(Control(NeverFramedId), never.c_str());
    SetWindowTextW(Control(HotkeyBoxId), set_.HotkeyText.empty()
                                             ? std::wstring(DefaultHotkeyText).c_str()
                                             : set_.HotkeyText.c_str());
    SetChecked(Control(RuleEnabledId), true);
    FillWindowChoices();
    ShowRules();
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    SetFocus(Control(RuleListId));
    return true;
}

void RulesEditor::CreateControls() {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    for (const ControlDesign& design : Controls) {
        controls_.push_back(CreateWindowExW(
            design.ExStyle, design.ClassName, design.Text, WS_CHILD | WS_VISIBLE | design.Style, 0,
            0, 0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.Id)), module,
            nullptr));
    }
    const HWND list = Control(RuleListId);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (size_t i = 0; i < Columns.size(); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = const_cast<wchar_t*>(Columns[i].Title);
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void RulesEditor::LayOut(int32_t dpi) {
    // The new font goes to the controls before the old one is deleted.
    ScopedFont font = CreatePanelFont(dpi);
    for (size_t i = 0; i < Controls.size(); ++i) {
        const RECT& design = Controls[i].Place;
        const PixelRect place =
            ScaleRectForDpi({design.left, design.top, design.right, design.bottom}, dpi);
        MoveWindow(controls_[i], place.X, place.Y, place.Width, place.Height, FALSE);
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    }
    font_ = std::move(font);
    for (size_t i = 0; i < Columns.size(); ++i) {
        SendMessageW(Control(RuleListId), LVM_SETCOLUMNWIDTH, i,
                     ScaleForDpi(Columns[i].Width, dpi));
    }
    RECT outer{0, 0, ScaleForDpi(ClientWidth, dpi), ScaleForDpi(ClientHeight, dpi)};
    AdjustWindowRectEx(&outer, EditorStyle, FALSE, WS_EX_CONTROLPARENT);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

void RulesEditor::ShowRules() {
    const HWND list = Control(RuleListId);
    const int selected = SelectedRow();
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t row = 0; row < set_.Rules.size(); ++row) {
        const Rule& rule = set_.Rules[row];
        const std::array<std::wstring, 6> cells{rule.Program,
                                                rule.WindowClass,
                                                rule.TitlePattern,
                                                rule.Skin,
                                                rule.CloseProgram == 1 ? L"是" : L"否",
                                                rule.Enabled ? L"启用" : L"暂停"};
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(row);
        item.pszText = const_cast<wchar_t*>(cells[0].c_str());
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int column = 1; column < static_cast<int>(cells.size()); ++column) {
            item.iSubItem = column;
            item.pszText = const_cast<wchar_t*>(cells[static_cast<size_t>(column)].c_str());
            SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        }
    }
    if (selected >= 0 && selected < static_cast<int>(set_.Rules.size())) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(selected),
                     reinterpret_cast<LPARAM>(&state));
    }
}

int RulesEditor::SelectedRow() const {
    return static_cast<int>(
        SendMessageW(Control(RuleListId), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void RulesEditor::ShowRule(int row) {
    if (row < 0 || row >= static_cast<int>(set_.Rules.size())) {
        return;
    }
    const Rule& rule = set_.Rules[static_cast<size_t>(row)];
    SetWindowTextW(Control(RuleProgramId), rule.Program.c_str());
    SetWindowTextW(Control(RuleClassId), rule.WindowClass.c_str());
    SetWindowTextW(Control(RuleTitleId), rule.TitlePattern.c_str());
    const auto skin = SendMessageW(Control(RuleSkinId), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(rule.Skin.c_str()));
    SendMessageW(Control(RuleSkinId), CB_SETCURSEL, static_cast<WPARAM>(skin), 0);
    SetChecked(Control(RuleCloseId), rule.CloseProgram == 1);
    SetChecked(Control(RuleEnabledId), rule.Enabled);
}

std::optional<Rule> RulesEditor::RuleFromFields() {
    Rule rule;
    rule.Program = Trimmed(TextOf(Control(RuleProgramId)));
    rule.WindowClass = Trimmed(TextOf(Control(RuleClassId)));
    rule.TitlePattern = TextOf(Control(RuleTitleId));
    rule.Skin = TextOf(Control(RuleSkinId));
    rule.CloseProgram = IsChecked(Control(RuleCloseId)) ? 1 : 0;
    rule.Enabled = IsChecked(Control(RuleEnabledId));
    if (rule.Program.empty() || rule.Skin.empty()) {
        Complain(L"请填写程序并选择皮肤。");
        return std::nullopt;
    }
    return rule;
}

void RulesEditor::FillWindowChoices() {
    const HWND choices = Control(RuleFromWindowId);
    windowChoices_.clear();
    SendMessageW(choices, CB_RESETCONTENT, 0, 0);
    for (const HWND window : TopLevelWindows()) {
        if (FrameVerdictFor(WindowFactsOf(window), {}) == FrameVerdict::MayFrame) {
            windowChoices_.push_back(window);
        }
    }
    for (const HWND window : windowChoices_) {
        const WindowFacts facts = WindowFactsOf(window);
        const std::wstring entry = facts.Title + L"（" + facts.Program + L"）";
        SendMessageW(choices, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

void RulesEditor::OnWindowChosen() {
    const auto chosen = SendMessageW(Control(RuleFromWindowId), CB_GETCURSEL, 0, 0);
    if (chosen < 0 || static_cast<size_t>(chosen) >= windowChoices_.size()) {
        return;
    }
    // The program and its class make the new rule; the title is left open, as titles change.
    const WindowFacts facts = WindowFactsOf(windowChoices_[static_cast<size_t>(chosen)]);
    SetWindowTextW(Control(RuleProgramId), facts.Program.c_str());
    SetWindowTextW(Control(RuleClassId), facts.Class.c_str());
    SetWindowTextW(Control(RuleTitleId), L"");
    SetChecked(Control(RuleEnabledId), true);
    SetFocus(Control(RuleSkinId));
}

void RulesEditor::Save() {
    const std::wstring hotkeyText = Trimmed(TextOf(Control(HotkeyBoxId)));
    const auto hotkey = ParseHotkey(hotkeyText.empty() ? DefaultHotkeyText : hotkeyText);
    if (!hotkey) {
        Complain(L"无法识别这个热键。请写成 Ctrl+Alt+G 这样：Ctrl、Alt、Win 至少其一，加 Shift "
                 L"与一个字母、数字或 F1–F24。");
        SetFocus(Control(HotkeyBoxId));
        return;
    }
    set_.HotkeyText = HotkeyText(*hotkey);
    set_.NeverFramed.clear();
    const std::wstring never = TextOf(Control(NeverFramedId));
    size_t start = 0;
    while (start <= never.size()) {
        const size_t comma = never.find(L',', start);
        const std::wstring name = Trimmed(
            never.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start));
        if (!name.empty()) {
            set_.NeverFramed.push_back(name);
        }
        start = comma == std::wstring::npos ? never.size() + 1 : comma + 1;
    }
    if (!SaveRules(appDir_, set_, hadProblems_)) {
        Complain(L"无法保存 rules.ini。");
        return;
    }
    TellResidentRulesChanged();
    done_ = true;
}

void RulesEditor::Complain(const wchar_t* text) {
    MessageBoxW(window_, text, Caption, MB_ICONWARNING);
}

void RulesEditor::OnCommand(int id, UINT code) {
    const int row = SelectedRow();
    const bool haveRow = row >= 0 && row < static_cast<int>(set_.Rules.size());
    switch (id) {
    case RuleFromWindowId:
        if (code == CBN_SELCHANGE) {
            OnWindowChosen();
        } else if (code == CBN_DROPDOWN) {
            FillWindowChoices();
        }
        return;
    case RuleAddId:
        if (auto rule = RuleFromFields()) {
            if (set_.Rules.size() >= MaxRules) {
                Complain(L"规则已达上限。");
                return;
            }
            set_.Rules.push_back(std::move(*rule));
            ShowRules();
        }
        return;
    case RuleChangeId:
        if (haveRow) {
            if (auto rule = RuleFromFields()) {
                set_.Rules[static_cast<size_t>(row)] = std::move(*rule);
                ShowRules();
            }
        }
        return;
    case RuleRemoveId:
        if (haveRow) {
            set_.Rules.erase(set_.Rules.begin() + row);
            ShowRules();
        }
        return;
    case RulePauseId:
        if (haveRow) {
            Rule& rule = set_.Rules[static_cast<size_t>(row)];
            rule.Enabled = !rule.Enabled;
            ShowRules();
            ShowRule(row);
        }
        return;
    case RulesSaveId:
        Save();
        return;
    case IDCANCEL:
    case RulesCancelId:
        done_ = true;
        return;
    default:
        return;
    }
}

LRESULT CALLBACK RulesEditor::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* editor = reinterpret_cast<RulesEditor*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (editor == nullptr || editor->window_ == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return editor->Handle(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT RulesEditor::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
        if (notice->idFrom == RuleListId && notice->code == LVN_ITEMCHANGED) {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
            if ((change->uNewState & LVIS_SELECTED) != 0) {
                ShowRule(change->iItem);
            }
        }
        return 0;
    }
    case WM_DPICHANGED: {
        // Moved to a monitor of another DPI: the editor is laid out again there.
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        LayOut(LOWORD(wParam));
        return 0;
    }
    case WM_CLOSE:
        done_ = true;
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

HWND openEditor = nullptr;

} // namespace

void EditRules(HWND owner, std::wstring_view appDir) {
    if (openEditor != nullptr) {
        SetForegroundWindow(openEditor);
        return;
    }
    RulesEditor editor(appDir);
    if (!editor.Create(owner)) {
        return;
    }
    openEditor = editor.Hwnd();
    if (owner != nullptr) {
        EnableWindow(owner, FALSE);
    }
    MSG message;
    while (!editor.Done()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: its own loop must see the quit as well.
            PostQuitMessage(got == 0 ? static_cast<int>(message.wParam) : 0);
            break;
        }
        if (!IsDialogMessageW(editor.Hwnd(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (owner != nullptr) {
        EnableWindow(owner, TRUE);
    }
    openEditor = nullptr;
}

} // namespace glaze
