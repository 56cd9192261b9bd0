// The rules file on any text: every rule read is complete, every problem names a line of the
// text (a line per character at most), and what is written back reads back to the same rules
// without a problem.

#include "FuzzInput.h"
#include "resident/HotkeyText.h"
#include "resident/RuleFile.h"
#include "resident/RuleMatch.h"

using namespace glaze;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const std::wstring text = input.Text();
    const RuleReading read = ReadRules(text);
    const size_t lines = text.size() + 1;
    for (const RuleProblem& problem : read.Problems) {
        fuzz::Require(problem.Line >= 1 && problem.Line <= lines);
    }
    fuzz::Require(read.Set.Rules.size() <= MaxRules);
    for (const Rule& rule : read.Set.Rules) {
        fuzz::Require(!rule.Program.empty() && !rule.Skin.empty());
    }
    fuzz::Require(read.Set.HotkeyText.empty() || ParseHotkey(read.Set.HotkeyText).has_value());

    const RuleReading again = ReadRules(WriteRules(read.Set));
    fuzz::Require(again.Problems.empty());
    fuzz::Require(again.Set.Rules == read.Set.Rules);

    // Every rule against a window made of the same text.
    WindowFacts window;
    window.Program = window.Class = window.Title = text.substr(0, 64);
    window.Visible = window.HasArea = true;
    (void)MatchingRule(read.Set, window);
    (void)FrameVerdictFor(window, read.Set);
    return 0;
}
