#include "resident/RuleMatch.h"

#include "platform/Captions.h"
#include "resident/Pattern.h"

namespace glaze {
namespace {

constexpr std::wstring_view DialogClass = L"#32770";

} // namespace

FrameVerdict FrameVerdictFor(const WindowFacts& window, const RuleSet& rules) {
    // Every window of this program carries the title marker: frames, their content windows
    // and the control panel.
    if (window.OwnProcess || EndsWithTitleMarker(window.Title) || window.Class == DialogClass ||
        window.Child || window.Owned || window.ToolWindow) {
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
