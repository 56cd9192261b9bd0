#include "resident/RulesEditor.h"

#include "panel/SkinList.h"
#include "platform/Screens.h"
#include "platform/WindowObject.h"
#include "resident/HotkeyText.h"
#include "resident/Resident.h"
#include "resident/RuleEdits.h"
#include "resident/RuleFields.h"
#include "resident/RulesEditorLayout.h"
#include "resident/RulesStore.h"

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

namespace glaze {
namespace {

constexpr wchar_t EditorClass[] = L"GlazeRulesEditor";
constexpr wchar_t Caption[] = L"glaze 规则";

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
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    HWND Control(int id) const { return GetDlgItem(window_, id); }

    void ShowFile();
    std::optional<Rule> RuleFromFields();
    void OnCommand(int id, UINT code);
    void Save();
    void Complain(const wchar_t* text, int field = 0);

    std::wstring appDir_;
    RulesFile file_; // as read: what a save changes
    RuleSet set_;    // as edited
    WindowChoices windowChoices_;
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
    windowClass.lpfnWndProc = ObjectWindowProc<RulesEditor>;
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
    FillSkinList(Control(RuleSkinId), appDir_);
    ShowFile();
    windowChoices_.Fill(window_);
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
    SetWindowTextW(Control(NeverFramedId), NeverFramedText(set_.NeverFramed).c_str());
    SetWindowTextW(Control(HotkeyBoxId), set_.HotkeyText.empty()
                                             ? std::wstring(DefaultHotkeyText).c_str()
                                             : set_.HotkeyText.c_str());
    ShowRuleFields(window_, Rule{});
    ShowRuleList(window_, set_.Rules);
}

std::optional<Rule> RulesEditor::RuleFromFields() {
    return RuleInFields(window_, [this](const wchar_t* text, int field) { Complain(text, field); });
}

void RulesEditor::Save() {
    const std::wstring hotkeyText = TrimmedText(window_, HotkeyBoxId);
    const auto hotkey = ParseHotkey(hotkeyText.empty() ? DefaultHotkeyText : hotkeyText);
    if (!hotkey) {
        Complain(L"无法识别这个热键。请写成 Ctrl+Alt+G 这样：Ctrl、Alt、Win 至少其一，加 Shift "
                 L"与一个字母、数字或 F1–F24。",
                 HotkeyBoxId);
        return;
    }
    set_.HotkeyText = HotkeyText(*hotkey);
    set_.NeverFramed = NeverFramedNames(ControlText(window_, NeverFramedId));
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

void RulesEditor::Complain(const wchar_t* text, int field) {
    MessageBoxW(window_, text, Caption, MB_ICONWARNING);
    if (field != 0) {
        SetFocus(Control(field));
    }
}

void RulesEditor::OnCommand(int id, UINT code) {
    const int row = SelectedRuleRow(window_);
    const bool haveRow = row >= 0 && row < static_cast<int>(set_.Rules.size());
    switch (id) {
    case RuleFromWindowId:
        if (code == CBN_SELCHANGE) {
            windowChoices_.ShowChosen(window_);
        } else if (code == CBN_DROPDOWN) {
            windowChoices_.Fill(window_);
        }
        return;
    case RuleAddId:
        if (auto rule = RuleFromFields()) {
            if (set_.Rules.size() >= MaxRules) {
                Complain(L"规则已达上限。");
                return;
            }
            set_.Rules.push_back(std::move(*rule));
            ShowRuleList(window_, set_.Rules);
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
                ShowRuleList(window_, set_.Rules);
            }
        }
        return;
    case RuleRemoveId:
        if (haveRow) {
            set_.Rules.erase(set_.Rules.begin() + row);
            ShowRuleList(window_, set_.Rules);
        }
        return;
    case RulePauseId:
        if (haveRow) {
            Rule& rule = set_.Rules[static_cast<size_t>(row)];
            rule.Enabled = !rule.Enabled;
            ShowRuleList(window_, set_.Rules);
            ShowRuleFields(window_, rule);
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
            if ((change->uNewState & LVIS_SELECTED) != 0 && change->iItem >= 0 &&
                change->iItem < static_cast<int>(set_.Rules.size())) {
                ShowRuleFields(window_, set_.Rules[static_cast<size_t>(change->iItem)]);
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
