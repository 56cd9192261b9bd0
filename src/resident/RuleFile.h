#pragma once
// Portable: rules.ini, the resident glaze's rules, in the profile format of myset.ini. The
// caller turns the file's bytes into text and back in the ANSI code page.
//
//   [GLAZE]
//   HOTKEY=Ctrl+Alt+G
//   NEVER=explorer.exe, taskmgr.exe
//   [RULE1]
//   PROGRAM=notepad.exe
//   CLASS=Notepad
//   TITLE=*记事本
//   SKIN=Aurora
//   CLOSE=0
//   ON=1
//
// Every section whose name starts with RULE is one rule, in the order of the file. Section and
// key names are read without case; values lose their outer blanks and one pair of enclosing
// quotes; lines starting with ";" or "#" are comments.

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
    size_t SkinLine = 0; // where SKIN stands in the file, to name it when the skin is missing

    bool operator==(const Rule& other) const {
        return Program == other.Program && WindowClass == other.WindowClass &&
               TitlePattern == other.TitlePattern && Skin == other.Skin &&
               CloseProgram == other.CloseProgram && Enabled == other.Enabled;
    }
};

struct RuleSet {
    std::vector<Rule> Rules;
    std::vector<std::wstring> NeverFramed; // program names, compared without case
    std::wstring HotkeyText;               // as written; empty: the default hotkey
};

// A line that was skipped, and why, in the words the rules editor shows.
struct RuleProblem {
    size_t Line = 0; // 1-based
    std::wstring Why;
};

struct RuleReading {
    RuleSet Set;
    std::vector<RuleProblem> Problems;
};

// More rules than this are skipped and reported: matching every new window against them must
// stay cheap.
inline constexpr size_t MaxRules = 1000;

// Reads the file's text. Each line that cannot be used is skipped and reported with its line
// number; the rest works.
RuleReading ReadRules(std::wstring_view text);

// The set as the file's text, with CR LF line ends, which ReadRules reads back the same.
std::wstring WriteRules(const RuleSet& set);

// "第 3 行：…", one problem per line of text, in the order of the file.
std::wstring ProblemsText(std::vector<RuleProblem> problems);

} // namespace glaze
