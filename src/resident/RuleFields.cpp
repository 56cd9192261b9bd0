#include "resident/RuleFields.h"

#include "platform/TopLevelWindows.h"
#include "resident/RuleSyntax.h"
#include "resident/RulesEditor.h"
#include "resident/RulesEditorLayout.h"
#include "resident/WindowFactsOf.h"

#include <commctrl.h>

#include <array>

namespace glaze {
namespace {

bool IsChecked(HWND editor, int id) {
    return SendDlgItemMessageW(editor, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND editor, int id, bool checked) {
    SendDlgItemMessageW(editor, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// "80", "80%" or " 80 %": a whole percentage from MinOpacity to 100.
std::optional<int32_t> OpacityOf(std::wstring_view text) {
    text = rulesyntax::Trimmed(text);
    if (text.ends_with(L'%')) {
        text = rulesyntax::Trimmed(text.substr(0, text.size() - 1));
    }
    if (text.empty() || text.size() > 3 ||
        text.find_first_not_of(L"0123456789") != std::wstring_view::npos) {
        return std::nullopt;
    }
    const int32_t opacity = std::stoi(std::wstring(text));
    return opacity >= MinOpacity && opacity <= 100 ? std::optional<int32_t>(opacity) : std::nullopt;
}

} // namespace

std::wstring ControlText(HWND editor, int id) {
    const HWND control = GetDlgItem(editor, id);
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), length + 1)));
    return text;
}

std::wstring TrimmedText(HWND editor, int id) {
    return std::wstring(rulesyntax::Trimmed(ControlText(editor, id)));
}

void ShowRuleList(HWND editor, const std::vector<Rule>& rules) {
    const HWND list = GetDlgItem(editor, RuleListId);
    const int selected = SelectedRuleRow(editor);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t row = 0; row < rules.size(); ++row) {
        const Rule& rule = rules[row];
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
    if (selected >= 0 && selected < static_cast<int>(rules.size())) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(selected),
                     reinterpret_cast<LPARAM>(&state));
    }
}

int SelectedRuleRow(HWND editor) {
    return static_cast<int>(SendDlgItemMessageW(editor, RuleListId, LVM_GETNEXTITEM,
                                                static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ShowRuleFields(HWND editor, const Rule& rule) {
    SetDlgItemTextW(editor, RuleProgramId, rule.Program.c_str());
    SetDlgItemTextW(editor, RuleClassId, rule.WindowClass.c_str());
    SetDlgItemTextW(editor, RuleTitleId, rule.TitlePattern.c_str());
    const auto skin =
        SendDlgItemMessageW(editor, RuleSkinId, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(rule.Skin.c_str()));
    SendDlgItemMessageW(editor, RuleSkinId, CB_SETCURSEL, static_cast<WPARAM>(skin), 0);
    SetChecked(editor, RuleCloseId, rule.CloseProgram == 1);
    SetChecked(editor, RuleEnabledId, rule.Enabled);
    SetChecked(editor, RuleOnTopId, rule.OnTop);
    SetDlgItemTextW(editor, RuleOpacityId, std::to_wstring(rule.Opacity).c_str());
}

std::optional<Rule> RuleInFields(HWND editor,
                                 const std::function<void(const wchar_t*, int field)>& complain) {
    Rule rule;
    rule.Program = TrimmedText(editor, RuleProgramId);
    rule.WindowClass = TrimmedText(editor, RuleClassId);
    rule.TitlePattern = ControlText(editor, RuleTitleId);
    rule.Skin = ControlText(editor, RuleSkinId);
    rule.CloseProgram = IsChecked(editor, RuleCloseId) ? 1 : 0;
    rule.Enabled = IsChecked(editor, RuleEnabledId);
    rule.OnTop = IsChecked(editor, RuleOnTopId);
    if (rule.Program.empty() || rule.Skin.empty()) {
        complain(L"请填写程序并选择皮肤。", rule.Program.empty() ? RuleProgramId : RuleSkinId);
        return std::nullopt;
    }
    const auto opacity = OpacityOf(ControlText(editor, RuleOpacityId));
    if (!opacity) {
        complain(L"透明度应为 60 到 100 之间的整数。", RuleOpacityId);
        return std::nullopt;
    }
    rule.Opacity = *opacity;
    return rule;
}

void WindowChoices::Fill(HWND editor) {
    windows_.clear();
    SendDlgItemMessageW(editor, RuleFromWindowId, CB_RESETCONTENT, 0, 0);
    for (const HWND window : TopLevelWindows()) {
        const WindowFacts facts = WindowFactsOf(window);
        if (FrameVerdictFor(facts, {}) == FrameVerdict::MayFrame) {
            windows_.push_back(window);
            const std::wstring entry = facts.Title + L"（" + facts.Program + L"）";
            SendDlgItemMessageW(editor, RuleFromWindowId, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(entry.c_str()));
        }
    }
}

void WindowChoices::ShowChosen(HWND editor) const {
    const auto chosen = SendDlgItemMessageW(editor, RuleFromWindowId, CB_GETCURSEL, 0, 0);
    if (chosen < 0 || static_cast<size_t>(chosen) >= windows_.size()) {
        return;
    }
    // The program and its class make the new rule; the title is left open, as titles change.
    const WindowFacts facts = WindowFactsOf(windows_[static_cast<size_t>(chosen)]);
    SetDlgItemTextW(editor, RuleProgramId, facts.Program.c_str());
    SetDlgItemTextW(editor, RuleClassId, facts.Class.c_str());
    SetDlgItemTextW(editor, RuleTitleId, L"");
    SetChecked(editor, RuleEnabledId, true);
    SetFocus(GetDlgItem(editor, RuleSkinId));
}

} // namespace glaze
