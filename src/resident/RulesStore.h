#pragma once
// rules.ini beside the program: read and written whole, in the ANSI code page like myset.ini.

#include "resident/RuleFile.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace glaze {

std::wstring RulesPath(std::wstring_view appDir);

// The rules and the lines that could not be used. No file reads as no rules.
RuleReading LoadRules(std::wstring_view appDir);

// Replaces the file whole; false when it could not be written. A file that had lines the
// reader skipped is kept beside it as rules.ini.bak first, so that nothing a user wrote by hand
// is lost by a save from the rules editor.
bool SaveRules(std::wstring_view appDir, const RuleSet& rules, bool keepOld);

// When the file was last written; zero when there is none.
FILETIME RulesWriteTime(std::wstring_view appDir);

// The rules whose skin is not among the skins (by name, without case), reported at their SKIN
// lines: they frame nothing until such a skin is added.
std::vector<RuleProblem> MissingSkins(const RuleSet& rules,
                                      const std::vector<std::wstring>& skinNames);

} // namespace glaze
