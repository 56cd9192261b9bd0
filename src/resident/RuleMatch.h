#pragma once
// Portable: which windows the resident glaze may frame at all, and which rule frames one.

#include "resident/RuleFile.h"

#include <optional>
#include <string>

namespace glaze {

// What the resident glaze knows of a window when it looks at it.
struct WindowFacts {
    std::wstring Program; // the file name of its program ("notepad.exe"); empty when unreadable
    std::wstring Class;
    std::wstring Title;
    bool OwnProcess = false; // the resident glaze's own window
    bool Visible = false;
    bool HasArea = false; // wider and higher than zero pixels
    bool Child = false;   // a child window, or one that lies inside another window (a frame's)
    bool Owned = false;   // owned by another window: a dialog, a palette, a menu
    bool ToolWindow = false;
};

enum class FrameVerdict {
    MayFrame,
    NotYet,   // not shown, or without a title or an area yet: worth another look shortly
    Never,    // never framed: this program's windows, dialogs, owned, child or tool windows
    Excluded, // its program is on the never-framed list
};

// Whether the window may be framed, whatever the rules say. Program names on the never-framed
// list are compared without case.
FrameVerdict FrameVerdictFor(const WindowFacts& window, const RuleSet& rules);

// Whether some enabled rule names the program: the windows of other programs need no second
// look.
bool AnyRuleForProgram(const RuleSet& rules, std::wstring_view program);

// The first enabled rule that matches the window, by its place in the set.
std::optional<size_t> MatchingRule(const RuleSet& rules, const WindowFacts& window);

} // namespace glaze
