#pragma once
// The rules editor: a window of its own where the user sees, adds, changes, removes and pauses
// the rules, picks a program from an open window, sets the programs never framed and the
// hotkey, and sees the lines of rules.ini that could not be used.

#include <windows.h>

#include <string_view>

namespace glaze {

// Control IDs of the editor, for the program's tests.
enum RulesEditorId : int {
    RuleListId = 300,
    RuleProgramId,
    RuleClassId,
    RuleTitleId,
    RuleSkinId,
    RuleCloseId,
    RuleEnabledId,
    RuleFromWindowId,
    RuleAddId,
    RuleChangeId,
    RuleRemoveId,
    RulePauseId,
    NeverFramedId,
    HotkeyBoxId,
    RuleProblemsId,
    RulesSaveId,
    RulesCancelId,
    RuleOnTopId,
    RuleOpacityId,
};

// Shows the editor over `owner` (which may be null), on the owner's monitor, until the user
// saves (保存, or Enter) or cancels; the owner takes no input meanwhile. Saving changes only what
// was edited in the file, in the form it was read in, and asks first when the file was changed
// meanwhile; a saved file is announced to the resident glaze. When an editor is open already,
// that one comes to the front instead.
void EditRules(HWND owner, std::wstring_view appDir);

} // namespace glaze
