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
    bool Owned = false;   // owned by another window
    // Its owner is a window of the same program that is hidden or of no size: the application
    // window that programs made with older RAD tools (VB6, Delphi up to 2006) put above their
    // main window, which then has no taskbar button of its own but is the one people use.
    bool OwnerIsHiddenAppWindow = false;
    bool AppWindow = false; // WS_EX_APPWINDOW: a taskbar button whoever owns it
    bool ToolWindow = false;
};

// The platform's dialog class: message boxes, file dialogs, and the main window of programs
// built as one dialog.
inline constexpr std::wstring_view DialogClass = L"#32770";

// Whether the window is a program's main window as people see it, one they could pick from the
// taskbar: not a tool window, and unowned, or with the app-window style, or owned by its
// program's hidden application window. A dialog is one only when nothing owns it.
bool IsProgramWindow(const WindowFacts& window);

enum class FrameVerdict {
    MayFrame,
    NotYet,   // not shown, or without a title or an area yet: worth another look shortly
    Never,    // never framed: this program's windows, and windows that are not program windows
    Excluded, // its program is on the never-framed list
};

// Whether the window may be framed, by a rule or by the hotkey. Program names on the
// never-framed list are compared without case.
FrameVerdict FrameVerdictFor(const WindowFacts& window, const RuleSet& rules);

// Whether some enabled rule names the program: the windows of other programs need no second
// look.
bool AnyRuleForProgram(const RuleSet& rules, std::wstring_view program);

// The first enabled rule that matches the window, by its place in the set. A program made of a
// dialog is matched only by a rule that names the program without a wildcard: a rule for every
// program must not frame every message box that has a taskbar button.
std::optional<size_t> MatchingRule(const RuleSet& rules, const WindowFacts& window);

} // namespace glaze
