#include "resident/RuleMatch.h"

#include "platform/Captions.h"
#include "resident/Pattern.h"

#include <algorithm>
#include <array>

namespace glaze {
namespace {

// Never anyone's main window: the hidden windows the platform gives every thread for text input,
// and the shell's desktop and taskbars, which a rule for every program must not take.
constexpr std::array<std::wstring_view, 6> ShellClasses{
    L"IME", L"MSCTFIME UI", L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"};

bool HasWildcard(std::wstring_view pattern) {
    return pattern.find_first_of(L"*?") != std::wstring_view::npos;
}

} // namespace

bool IsProgramWindow(const WindowFacts& window) {
    if (window.ToolWindow || window.Child ||
        std::find(ShellClasses.begin(), ShellClasses.end(), window.Class) != ShellClasses.end()) {
        return false;
    }
    if (window.Class == DialogClass) {
        return !window.Owned;
    }
    return !window.Owned || window.AppWindow || window.OwnerIsHiddenAppWindow;
}

FrameVerdict FrameVerdictFor(const WindowFacts& window, const RuleSet& rules) {
    // Every window of this program carries the title marker: frames, their content windows
    // and the control panel.
    if (window.OwnProcess || EndsWithTitleMarker(window.Title) || !IsProgramWindow(window)) {
        return FrameVerdict::Never;
    }
    if (!window.Visible || !window.HasArea || window.Title.empty()) {
        return FrameVerdict::NotYet;
    }
    for (const std::wstring& name : rules.NeverFramed) {
        if (MatchesPattern(name, window.Program, true)) {
            return FrameVerdict::Excluded;
        }
    }
    return FrameVerdict::MayFrame;
}

bool AnyRuleForProgram(const RuleSet& rules, std::wstring_view program) {
    return std::any_of(rules.Rules.begin(), rules.Rules.end(), [&](const Rule& rule) {
        return rule.Enabled && MatchesPattern(rule.Program, program, true);
    });
}

std::optional<size_t> MatchingRule(const RuleSet& rules, const WindowFacts& window) {
    const bool dialog = window.Class == DialogClass;
    for (size_t i = 0; i < rules.Rules.size(); ++i) {
        const Rule& rule = rules.Rules[i];
        if (rule.Enabled && !(dialog && HasWildcard(rule.Program)) &&
            MatchesPattern(rule.Program, window.Program, true) &&
            (rule.WindowClass.empty() || MatchesPattern(rule.WindowClass, window.Class, true)) &&
            (rule.TitlePattern.empty() || MatchesPattern(rule.TitlePattern, window.Title, false))) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace glaze
