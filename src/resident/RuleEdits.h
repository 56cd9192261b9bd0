#pragma once
// Portable: saving the rules editor's changes into the file people wrote, changing only what was
// edited. Comments, blank lines, unknown keys and sections, section names, their order and the
// line ends stay as they were.

#include "resident/RuleFile.h"

#include <string>
#include <string_view>

namespace glaze {

// The text with the edits made. `before` is what ReadRules read from the text, `after` the set
// as edited: its rules keep the Section they were read from (0 for new ones, which are added at
// the end); a rule of `before` whose section no rule of `after` has is taken out. A key whose
// value did not change keeps its line as written.
std::wstring EditRulesText(std::wstring_view text, const RuleSet& before, const RuleSet& after);

} // namespace glaze
