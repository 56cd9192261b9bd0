#pragma once
// Portable: rules.ini, the resident glaze's rules, in the profile format of myset.ini. The
// caller turns the file's bytes into text and back (FileText).
//
//   [GLAZE]
//   HOTKEY=Ctrl+Alt+G
//   NEVER=explorer.exe, taskmgr.exe
//   MAXFRAMES=32
//   [RULE1]
//   PROGRAM=notepad.exe
//   CLASS=Notepad
//   TITLE=*记事本
//   SKIN=Aurora
//   CLOSE=0
//   ON=1
//   TOPMOST=0
//   OPACITY=100
//
// Every section whose name starts with RULE is one rule, in the order of the file. Section and
// key names are read without case; values lose their outer blanks and one pair of enclosing
// quotes; lines starting with ";" or "#" are comments.

#include "settings/CommandLine.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace glaze {

struct Rule {
    std::wstring Program;      // file-name pattern of the program, compared without case
    std::wstring WindowClass;  // class-name pattern, compared without case; empty: any class
    std::wstring TitlePattern; // title pattern, compared with case; empty: any title
    std::wstring Skin;         // the skin's directory name under SKIN
    int32_t CloseProgram = 0;  // 1: the program closes together with its frame
    bool Enabled = true;
    bool OnTop = false;    // the frame starts on top of other windows
    int32_t Opacity = 100; // percent, MinOpacity to 100: the frame and its program see-through
    // Where the rule stands in the file read (1-based lines): its section's line, to edit it in
    // place (0 for a rule that is not in the file yet), and its SKIN line, to name it when the
    // skin is missing.
    size_t Section = 0;
    size_t SkinLine = 0;

    // The same rule, wherever it stands.
    bool operator==(const Rule& other) const {
        return Program == other.Program && WindowClass == other.WindowClass &&
               TitlePattern == other.TitlePattern && Skin == other.Skin &&
               CloseProgram == other.CloseProgram && Enabled == other.Enabled &&
               OnTop == other.OnTop && Opacity == other.Opacity;
    }
};

// How many frames the resident glaze keeps started at once, unless MAXFRAMES says otherwise.
inline constexpr int32_t DefaultMaxFrames = 32;
inline constexpr int32_t LargestMaxFrames = 256;

struct RuleSet {
    std::vector<Rule> Rules;
    std::vector<std::wstring> NeverFramed; // program names, compared without case
    std::wstring HotkeyText;               // as written; empty: the default hotkey
    int32_t MaxFrames = DefaultMaxFrames;
};

// A line that was skipped, and why, in the words the rules editor shows.
struct RuleProblem {
    size_t Line = 0; // 1-based
    std::wstring Why;
};

// The problems of a file, bounded: the first ones by line are kept with their words, the rest
// only counted, so that a file of junk costs little to read and to show.
class RuleProblems {
public:
    static constexpr size_t MostNamed = 100;

    void Add(RuleProblem problem);
    // Problems only counted, as their lines were not told.
    void AddUnnamed(size_t count) { unnamed_ += count; }
    // The named problems, by line.
    const std::vector<RuleProblem>& Named() const { return named_; }
    size_t Count() const { return named_.size() + unnamed_; }
    bool Empty() const { return Count() == 0; }

private:
    std::vector<RuleProblem> named_;
    size_t unnamed_ = 0;
};

struct RuleReading {
    RuleSet Set;
    RuleProblems Problems;
};

// More rules than this are skipped and reported: matching every new window against them must
// stay cheap.
inline constexpr size_t MaxRules = 1000;

// Reads the file's text. Each line that cannot be used is skipped and reported with its line
// number; the rest works.
RuleReading ReadRules(std::wstring_view text);

// The programs of a NEVER list ("explorer.exe, taskmgr.exe"), and the list of them.
std::vector<std::wstring> NeverFramedNames(std::wstring_view list);
std::wstring NeverFramedText(const std::vector<std::wstring>& names);

// A new file holding the set, with CR LF line ends, which ReadRules reads back the same.
std::wstring WriteRules(const RuleSet& set);
// Appends a rule's section, named `name`, to the text: the keys that say something.
void WriteRule(std::wstring& text, std::wstring_view name, const Rule& rule,
               std::wstring_view lineEnd);

// "第 3 行：…", one problem per line of text, by line, then how many more were not named.
std::wstring ProblemsText(const RuleProblems& problems);

} // namespace glaze
