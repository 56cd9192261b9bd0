#pragma once
// rules.ini beside the program: read in the form its editor saved it in (UTF-16, UTF-8 or the
// ANSI code page), saved back in that form, and the resident glaze's rules as the file has them
// now.

#include "resident/FileText.h"
#include "resident/RuleFile.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace glaze {

std::wstring RulesPath(std::wstring_view appDir);

// The file as read: its rules, its text and form, and a fingerprint of its bytes, to notice a
// change made meanwhile. No file reads as no rules, in the form a new file is written in.
struct RulesFile {
    bool Exists = false;
    TextForm Form = TextForm::Utf8WithMark;
    std::wstring Text;
    RuleReading Reading;
    uint64_t Fingerprint = 0;
};
RulesFile ReadRulesFile(std::wstring_view appDir);

// Whether the file on disk is still the one read.
bool RulesFileUnchanged(std::wstring_view appDir, const RulesFile& read);

// Replaces the file with the text in the form (or in UTF-8 with its mark, when the form cannot
// hold the text); false when it could not be written. With `keepOld` the file as it was is kept
// beside it as rules.ini.bak first.
bool SaveRulesText(std::wstring_view appDir, std::wstring_view text, TextForm form, bool keepOld);

// Adds a problem for each rule whose skin is not among the skins (by name, without case), at
// its SKIN line: such a rule frames nothing until the skin is added.
void AddMissingSkins(RuleProblems& problems, const RuleSet& rules,
                     const std::vector<std::wstring>& skinNames);

// The resident glaze's rules: read at its start and whenever the file has changed. Only the
// rules and the number of unusable lines are kept, not the file.
class ResidentRules {
public:
    explicit ResidentRules(std::wstring_view appDir) : appDir_(appDir) {}

    void Reload();
    // Reads the file again when it was written since it was read; true when it was. A look at
    // the file's time costs little and catches edits made by hand.
    bool ReloadIfChanged();

    const RuleSet& Set() const { return set_; }
    size_t ProblemCount() const { return problemCount_; }

private:
    std::wstring appDir_;
    RuleSet set_;
    size_t problemCount_ = 0;
    FILETIME time_{};
};

} // namespace glaze
