#include "resident/RulesEditor.h"

#include "panel/SkinList.h"
#include "platform/Screens.h"
#include "platform/TopLevelWindows.h"
#include "resident/HotkeyText.h"
#include "resident/Resident.h"
#include "resident/RuleEdits.h"
#include "resident/RulesEditorLayout.h"
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
constexpr std::array<const wchar_t*, 5> OpacityChoices{L"100", L"90", L"80", L"70", L"60"};

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

// "80", "80%" or " 80 %": a whole percentage from MinOpacity to 100.
std::optional<int32_t> OpacityOf(std::wstring text) {
    text = Trimmed(text);
    if (text.ends_with(L'%')) {
        text = Trimmed(text.substr(0, text.size() - 1));
    }
    if (text.empty() || text.size() > 3 ||
        text.find_first_not_of(L"0123456789") != std::wstring::npos) {
        return std::nullopt;
    }
    const int32_t opacity = std::stoi(text);
    return opacity >= MinOpacity && opacity <= 100 ? std::optional<int32_t>(opacity) : std::nullopt;
}

std::vector<std::wstring> NamesIn(const std::wstring& list) {
    std::vector<std::wstring> names;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = list.find(L',', start);
        const std::wstring name = Trimmed(
            list.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start));
        if (!name.empty()) {
            names.push_back(name);
        }
        start = comma == std::wstring::npos ? list.size() + 1 : comma + 1;
    }
    return names;
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

    void ShowFile();
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
    RulesFile file_; // as read: what a save changes
    RuleSet set_;    // as edited
    std::vector<HWND> windowChoices_;
    HWND window_ = nullptr;
    std::vector<HWND> controls_;
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

    // Made on the owner's monitor, so that it is laid out at that monitor's DPI.
    const POINT origin = EditorOrigin(owner);
    window_ = CreateWindowExW(EditorExStyle, EditorClass, Caption, EditorStyle, origin.x, origin.y,
                              0, 0, owner, nullptr, module, this);
    if (window_ == nullptr) {
        return false;
    }
    controls_ = CreateEditorControls(window_);
    font_ = LayOutEditor(window_, controls_, WindowDpi(window_));
    CentreEditor(window_);
    for (const wchar_t* choice : OpacityChoices) {
        SendMessageW(Control(RuleOpacityId), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    }
    FillSkinList(Control(RuleSkinId), appDir_);
    ShowFile();
    FillWindowChoices();
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    SetFocus(Control(RuleListId));
    return true;
}

void RulesEditor::ShowFile() {
    file_ = ReadRulesFile(appDir_);
    set_ = file_.Reading.Set;
    RuleProblems problems = file_.Reading.Problems;
    AddMissingSkins(problems, set_, SkinListNames(Control(RuleSkinId)));
    SetWindowTextW(Control(RuleProblemsId),
                   problems.Empty() ? L"（没有）" : ProblemsText(problems).c_str());
    std::wstring never;
    for (const std::wstring& name : set_.NeverFramed) {
        never += (never.empty() ? L"" : L", ") + name;
    }
    SetWindowTextW(Control(NeverFramedId), never.c_str());
    SetWindowTextW(Control(HotkeyBoxId), set_.HotkeyText.empty()
                                             ? std::wstring(DefaultHotkeyText).c_str()
                                             : set_.HotkeyText.c_str());
    SetChecked(Control(RuleEnabledId), true);
    SetWindowTextW(Control(RuleOpacityId), L"100");
    ShowRules();
}

void RulesEditor::ShowRules() {
    const HWND list = Control(RuleListId);
    const int selected = SelectedRow();
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t row = 0; row < set_.Rules.size(); ++row) {
        const Rule& rule = set_.Rules[row];
        const std::array<std::wstring, static_cast<size_t>(RuleColumn::Count)> cells{
            rule.Program,
            rule.WindowClass,
            rule.TitlePattern,
            rule.Skin,
            rule.CloseProgram == 1 ? L"是" : L"否",
            rule.OnTop ? L"是" : L"否",
            std::to_wstring(rule.Opacity) + L"%",
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
    SetChecked(Control(RuleOnTopId), rule.OnTop);
    SetWindowTextW(Control(RuleOpacityId), std::to_wstring(rule.Opacity).c_str());
}

std::optional<Rule> RulesEditor::RuleFromFields() {
    Rule rule;
    rule.Program = Trimmed(TextOf(Control(RuleProgramId)));
    rule.WindowClass = Trimmed(TextOf(Control(RuleClassId)));
    rule.TitlePattern = TextOf(Control(RuleTitleId));
    rule.Skin = TextOf(Control(RuleSkinId));
    rule.CloseProgram = IsChecked(Control(RuleCloseId)) ? 1 : 0;
    rule.Enabled = IsChecked(Control(RuleEnabledId));
    rule.OnTop = IsChecked(Control(RuleOnTopId));
    if (rule.Program.empty() || rule.Skin.empty()) {
        Complain(L"请填写程序并选择皮肤。");
        return std::nullopt;
    }
    const auto opacity = OpacityOf(TextOf(Control(RuleOpacityId)));
    if (!opacity) {
        Complain(L"透明度应为 60 到 100 之间的整数。");
        SetFocus(Control(RuleOpacityId));
        return std::nullopt;
    }
    rule.Opacity = *opacity;
    return rule;
}

void RulesEditor::FillWindowChoices() {
    const HWND choices = Control(RuleFromWindowId);
    windowChoices_.clear();
    SendMessageW(choices, CB_RESETCONTENT, 0, 0);
    for (const HWND window : TopLevelWindows()) {
        const WindowFacts facts = WindowFactsOf(window);
        if (FrameVerdictFor(facts, {}) == FrameVerdict::MayFrame) {
            windowChoices_.push_back(window);
            const std::wstring entry = facts.Title + L"（" + facts.Program + L"）";
            SendMessageW(choices, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
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
    set_.NeverFramed = NamesIn(TextOf(Control(NeverFramedId)));
    // A file with lines the reader skipped is kept as it was: nothing written by hand is lost.
    bool keepOld = !file_.Reading.Problems.Empty();
    if (!RulesFileUnchanged(appDir_, file_)) {
        if (MessageBoxW(window_,
                        L"rules.ini 在打开规则编辑器之后已被修改。\r\n\r\n"
                        L"“是”：仍然保存，修改过的文件留作 rules.ini.bak。\r\n"
                        L"“否”：不保存，回到编辑器。",
                        Caption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) {
            return;
        }
        keepOld = true;
    }
    const std::wstring text =
        file_.Exists ? EditRulesText(file_.Text, file_.Reading.Set, set_) : WriteRules(set_);
    if (!SaveRulesText(appDir_, text, file_.Form, keepOld)) {
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
                Rule& changed = set_.Rules[static_cast<size_t>(row)];
                // Still the rule of its section in the file.
                rule->Section = changed.Section;
                rule->SkinLine = changed.SkinLine;
                changed = std::move(*rule);
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
    case IDOK: // Enter, wherever the focus is
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
    case DM_GETDEFID:
        // Enter presses 保存, as in a dialog.
        return MAKELRESULT(RulesSaveId, DC_HASDEFID);
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
        font_ = LayOutEditor(window_, controls_, LOWORD(wParam));
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
