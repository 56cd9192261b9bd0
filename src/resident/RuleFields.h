#pragma once
// The rules editor's list of rules and the fields under it: rules shown there, the rule the
// fields hold, and the open program windows offered to start a new rule from.

#include "resident/RuleFile.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace glaze {

// A control's text, whole or without its outer blanks.
std::wstring ControlText(HWND editor, int id);
std::wstring TrimmedText(HWND editor, int id);

// Fills the list with the rules, keeping the row selected.
void ShowRuleList(HWND editor, const std::vector<Rule>& rules);
// The row selected in the list; -1 when none is.
int SelectedRuleRow(HWND editor);

// Puts the rule into the fields.
void ShowRuleFields(HWND editor, const Rule& rule);
// The rule the fields hold. Nothing when something needed is missing or wrong: then `complain`
// is told what, and which field to go to.
std::optional<Rule> RuleInFields(HWND editor,
                                 const std::function<void(const wchar_t*, int field)>& complain);

// The open program windows, as the drop-down list offers them.
class WindowChoices {
public:
    void Fill(HWND editor);
    // Puts the chosen window's program and class into the fields for a new rule.
    void ShowChosen(HWND editor) const;

private:
    std::vector<HWND> windows_;
};

} // namespace glaze
