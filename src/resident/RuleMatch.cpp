#include "resident/RuleMatch.h"

#include "platform/Captions.h"
#include "resident/Pattern.h"

#include <algorithm>
#include <array>

namespace glaze {
namespace {

// Dialogs, and the hidden windows the platform gives every thread for text input, which are
// never anyone's main window.
constexpr std::array<std::wstring_view, 3> NeverClasses{L"#32770", L"IME", L"MSCTFIME UI"};

} // namespace

FrameVerdict FrameVerdictFor(const WindowFacts& window, const RuleSet& rules) {
    // Every window of this program carries the title marker: frames, their content windows
    // and the control panel.
    const bool neverClass =
        std::find(NeverClasses.begin(), NeverClasses.end(), window.Class) != NeverClasses.end();
    if (window.OwnProcess || EndsWithTitleMarker(window.Title) || neverClass || window.Child ||
        window.Owned || window.ToolWindow) {
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
    for (const Rule& rule : rules.Rules) {
        if (rule.Enabled && MatchesPattern(rule.Program, program, true)) {
            return true;
        }
    }
    return false;
}

std::optional<size_t> MatchingRule(const RuleSet& rules, const WindowFacts& window) {
    for (size_t i = 0; i < rules.Rules.size(); ++i) {
        const Rule& rule = rules.Rules[i];
        if (rule.Enabled && MatchesPattern(rule.Program, window.Program, true) &&
            (rule.WindowClass.empty() || MatchesPattern(rule.WindowClass, window.Class, true)) &&
            (rule.TitlePattern.empty() || MatchesPattern(rule.TitlePattern, window.Title, false))) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace glaze
