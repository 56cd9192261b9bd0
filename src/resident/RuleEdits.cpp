#include "resident/RuleEdits.h"

#include "resident/HotkeyText.h"
#include "resident/RuleSyntax.h"

#include <algorithm>
#include <map>
#include <optional>

namespace glaze {
namespace {

using namespace rulesyntax;

struct Line {
    std::wstring Text;
    std::wstring End; // empty for a last line without an end
};

// A section of the file as the reader sees it: where it starts, the first line of each key it
// read there, and its last line that is not blank or a comment.
struct SectionPlace {
    std::wstring Name;
    size_t Header = 0; // 0-based
    size_t LastContent = 0;
    std::map<std::wstring, size_t> Keys;
};

class FileEditor {
public:
    explicit FileEditor(std::wstring_view text) {
        ForEachLine(text, [this](std::wstring_view line, std::wstring_view end) {
            if (lineEnd_.empty() && !end.empty()) {
                lineEnd_ = end; // new lines end as the file's first line does
            }
            lines_.push_back({std::wstring(line), std::wstring(end)});
        });
        if (lineEnd_.empty()) {
            lineEnd_ = L"\r\n";
        }
        replaced_.resize(lines_.size());
        deleted_.resize(lines_.size());
        for (size_t i = 0; i < lines_.size(); ++i) {
            const std::wstring_view line = Trimmed(lines_[i].Text);
            // The reader skips lines holding a NUL whatever they say.
            if (IsComment(line) || line.find(L'\0') != std::wstring_view::npos) {
                continue;
            }
            if (line.front() == L'[') {
                sections_.push_back({SectionName(line), i, i, {}});
            } else if (!sections_.empty()) {
                sections_.back().LastContent = i;
                sections_.back().Keys.emplace(KeyName(line), i); // the first one counts
            }
        }
    }

    // The section the reader read GLAZE's keys from: the first of that name.
    SectionPlace* Glaze() {
        const auto glaze = std::find_if(sections_.begin(), sections_.end(),
                                        [](const SectionPlace& s) { return s.Name == L"GLAZE"; });
        return glaze == sections_.end() ? nullptr : &*glaze;
    }
    SectionPlace* SectionAtLine(size_t line) {
        const auto found =
            std::find_if(sections_.begin(), sections_.end(),
                         [line](const SectionPlace& s) { return s.Header + 1 == line; });
        return found == sections_.end() ? nullptr : &*found;
    }

    // The key's line gets the value, keeping what stands before its "="; a key the section lacks
    // is added after its last line.
    void SetKey(SectionPlace& section, const std::wstring& key, std::wstring_view value) {
        if (const auto line = section.Keys.find(key); line != section.Keys.end()) {
            const std::wstring& text = lines_[line->second].Text;
            replaced_[line->second] = text.substr(0, text.find(L'=') + 1) + ValueText(value);
        } else {
            inserted_[section.LastContent + 1].push_back(key + L"=" + ValueText(value));
        }
    }

    void AddGlazeSection(const std::vector<std::wstring>& keyLines) {
        // Before the first section, below the comments that open the file.
        const size_t at = sections_.empty() ? lines_.size() : sections_.front().Header;
        std::vector<std::wstring>& lines = inserted_[at];
        lines.push_back(L"[GLAZE]");
        lines.insert(lines.end(), keyLines.begin(), keyLines.end());
        if (at < lines_.size()) {
            lines.push_back(L"");
        }
    }

    void Remove(const SectionPlace& section) {
        // Comments and blank lines after its last key describe what follows.
        for (size_t i = section.Header; i <= section.LastContent; ++i) {
            deleted_[i] = true;
        }
    }

    void Append(const Rule& rule) {
        std::wstring text;
        WriteRule(text, L"RULE" + std::to_wstring(NextRuleNumber()), rule, lineEnd_);
        std::vector<std::wstring>& lines = inserted_[lines_.size()];
        const bool blankBefore = lines.empty()
                                     ? !lines_.empty() && !Trimmed(lines_.back().Text).empty()
                                     : !lines.back().empty();
        if (blankBefore) {
            lines.push_back(L"");
        }
        ForEachLine(text,
                    [&](std::wstring_view line, std::wstring_view) { lines.emplace_back(line); });
    }

    std::wstring Text() const {
        std::vector<Line> out;
        const auto addInserted = [&](size_t at) {
            if (const auto found = inserted_.find(at); found != inserted_.end()) {
                for (const std::wstring& line : found->second) {
                    out.push_back({line, lineEnd_});
                }
            }
        };
        for (size_t i = 0; i < lines_.size(); ++i) {
            addInserted(i);
            if (!deleted_[i]) {
                out.push_back({replaced_[i].value_or(lines_[i].Text), lines_[i].End});
            }
        }
        addInserted(lines_.size());
        std::wstring text;
        for (size_t i = 0; i < out.size(); ++i) {
            text += out[i].Text;
            // Only the file's last line may end without a line end.
            text += out[i].End.empty() && i + 1 < out.size() ? lineEnd_ : out[i].End;
        }
        return text;
    }

private:
    size_t NextRuleNumber() {
        if (nextRule_ == 0) {
            nextRule_ = 1;
            for (const SectionPlace& section : sections_) {
                const std::wstring_view digits =
                    std::wstring_view(section.Name)
                        .substr(std::min<size_t>(4, section.Name.size()));
                if (section.Name.starts_with(L"RULE") && !digits.empty() && digits.size() < 9 &&
                    std::all_of(digits.begin(), digits.end(),
                                [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
                    nextRule_ = std::max(nextRule_,
                                         static_cast<size_t>(std::stoul(std::wstring(digits))) + 1);
                }
            }
        }
        return nextRule_++;
    }

    std::vector<Line> lines_;
    std::wstring lineEnd_;
    std::vector<SectionPlace> sections_;
    std::vector<std::optional<std::wstring>> replaced_;
    std::vector<bool> deleted_;
    std::map<size_t, std::vector<std::wstring>> inserted_; // before the line of that index
    size_t nextRule_ = 0;
};

std::wstring HotkeyOrDefault(const std::wstring& text) {
    return text.empty() ? std::wstring(DefaultHotkeyText) : text;
}

// The GLAZE keys whose values changed, as key and value.
std::vector<std::pair<std::wstring, std::wstring>> GlazeChanges(const RuleSet& before,
                                                                const RuleSet& after) {
    std::vector<std::pair<std::wstring, std::wstring>> changes;
    // The same keys written otherwise ("ctrl+alt+g") are the same hotkey.
    if (ParseHotkey(HotkeyOrDefault(before.HotkeyText)) !=
        ParseHotkey(HotkeyOrDefault(after.HotkeyText))) {
        changes.emplace_back(L"HOTKEY", HotkeyOrDefault(after.HotkeyText));
    }
    if (before.NeverFramed != after.NeverFramed) {
        changes.emplace_back(L"NEVER", NeverFramedText(after.NeverFramed));
    }
    if (before.MaxFrames != after.MaxFrames) {
        changes.emplace_back(L"MAXFRAMES", std::to_wstring(after.MaxFrames));
    }
    return changes;
}

std::vector<std::pair<std::wstring, std::wstring>> RuleChanges(const Rule& before,
                                                               const Rule& after) {
    const auto flag = [](bool on) { return std::wstring(on ? L"1" : L"0"); };
    const std::pair<std::wstring, std::wstring> now[] = {
        {L"PROGRAM", after.Program},
        {L"CLASS", after.WindowClass},
        {L"TITLE", after.TitlePattern},
        {L"SKIN", after.Skin},
        {L"CLOSE", flag(after.CloseProgram == 1)},
        {L"ON", flag(after.Enabled)},
        {L"TOPMOST", flag(after.OnTop)},
        {L"OPACITY", std::to_wstring(after.Opacity)},
    };
    const std::wstring was[] = {before.Program,
                                before.WindowClass,
                                before.TitlePattern,
                                before.Skin,
                                flag(before.CloseProgram == 1),
                                flag(before.Enabled),
                                flag(before.OnTop),
                                std::to_wstring(before.Opacity)};
    std::vector<std::pair<std::wstring, std::wstring>> changes;
    for (size_t i = 0; i < std::size(now); ++i) {
        if (now[i].second != was[i]) {
            changes.push_back(now[i]);
        }
    }
    return changes;
}

} // namespace

std::wstring EditRulesText(std::wstring_view text, const RuleSet& before, const RuleSet& after) {
    FileEditor file(text);
    const auto glazeChanges = GlazeChanges(before, after);
    if (SectionPlace* glaze = file.Glaze()) {
        for (const auto& [key, value] : glazeChanges) {
            file.SetKey(*glaze, key, value);
        }
    } else if (!glazeChanges.empty()) {
        std::vector<std::wstring> keyLines;
        for (const auto& [key, value] : glazeChanges) {
            keyLines.push_back(key + L"=" + ValueText(value));
        }
        file.AddGlazeSection(keyLines);
    }
    for (const Rule& was : before.Rules) {
        const bool kept =
            std::any_of(after.Rules.begin(), after.Rules.end(),
                        [&](const Rule& rule) { return rule.Section == was.Section; });
        SectionPlace* section = file.SectionAtLine(was.Section);
        if (!kept && section != nullptr) {
            file.Remove(*section);
        }
    }
    std::vector<const Rule*> added;
    for (const Rule& rule : after.Rules) {
        const auto was = std::find_if(before.Rules.begin(), before.Rules.end(),
                                      [&](const Rule& r) { return r.Section == rule.Section; });
        SectionPlace* section = rule.Section == 0 ? nullptr : file.SectionAtLine(rule.Section);
        if (was == before.Rules.end() || section == nullptr) {
            added.push_back(&rule);
            continue;
        }
        for (const auto& [key, value] : RuleChanges(*was, rule)) {
            file.SetKey(*section, key, value);
        }
    }
    // New rules come last, after any key added to the file's last section.
    for (const Rule* rule : added) {
        file.Append(*rule);
    }
    return file.Text();
}

} // namespace glaze
