// The rules file on any bytes and any text: the bytes read as text in their form and written
// back read as the same text; every rule read is complete, every problem names a line of the
// text (a line per character at most); what is written back reads back to the same rules without
// a problem; a save that edits nothing changes nothing, and one that edits reads back as edited.

#include "../tests/host/Latin1CodePage.h"
#include "FuzzInput.h"
#include "resident/FileText.h"
#include "resident/HotkeyText.h"
#include "resident/RuleEdits.h"
#include "resident/RuleFile.h"
#include "resident/RuleMatch.h"

#include <algorithm>

using namespace glaze;

namespace {

using test::FromLatin1;
using test::ToLatin1;

// A value a user could type into the editor: one line, no NUL.
std::wstring TypedValue(std::wstring_view text) {
    std::wstring value(text.substr(0, 12));
    std::replace_if(
        value.begin(), value.end(), [](wchar_t c) { return c == L'\r' || c == L'\n' || c == 0; },
        L'x');
    return value.empty() ? L"v" : value;
}

void CheckBytes(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const FileText read = ReadFileText(bytes, FromLatin1);
    fuzz::Require(read.BadLines.size() <= FileText::MostBadLines &&
                  read.BadLines.size() <= read.BadLineCount);
    const FileBytes written = WriteFileText(read.Text, read.Form, ToLatin1);
    const FileText again = ReadFileText(written.Bytes, FromLatin1);
    fuzz::Require(again.Form == written.Form && again.Text == read.Text);
}

void CheckEdits(const std::wstring& text, const RuleReading& read) {
    fuzz::Require(EditRulesText(text, read.Set, read.Set) == text);
    if (read.Set.Rules.size() >= MaxRules) {
        return;
    }
    RuleSet edited = read.Set;
    const std::wstring value = TypedValue(text);
    if (!edited.Rules.empty()) {
        edited.Rules.front().Skin = value;
        edited.Rules.front().TitlePattern = value;
        edited.Rules.front().Opacity = 70;
        edited.Rules.pop_back();
    }
    Rule added;
    added.Program = value;
    added.Skin = value;
    added.OnTop = true;
    edited.Rules.push_back(added);
    const RuleReading saved = ReadRules(EditRulesText(text, read.Set, edited));
    fuzz::Require(saved.Set.Rules == edited.Rules);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckBytes(data, size);

    fuzz::FuzzInput input(data, size);
    const std::wstring text = input.Text();
    const RuleReading read = ReadRules(text);
    const size_t lines = text.size() + 1;
    for (const RuleProblem& problem : read.Problems.Named()) {
        fuzz::Require(problem.Line >= 1 && problem.Line <= lines);
    }
    fuzz::Require(read.Problems.Named().size() <= RuleProblems::MostNamed);
    fuzz::Require(read.Set.Rules.size() <= MaxRules);
    for (const Rule& rule : read.Set.Rules) {
        fuzz::Require(!rule.Program.empty() && !rule.Skin.empty());
    }
    fuzz::Require(read.Set.HotkeyText.empty() || ParseHotkey(read.Set.HotkeyText).has_value());

    const RuleReading again = ReadRules(WriteRules(read.Set));
    fuzz::Require(again.Problems.Empty());
    fuzz::Require(again.Set.Rules == read.Set.Rules);
    CheckEdits(text, read);

    // Every rule against a window made of the same text.
    WindowFacts window;
    window.Program = window.Class = window.Title = text.substr(0, 64);
    window.Visible = window.HasArea = true;
    (void)MatchingRule(read.Set, window);
    (void)FrameVerdictFor(window, read.Set);
    return 0;
}
