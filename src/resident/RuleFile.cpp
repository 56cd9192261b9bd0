#include "resident/RuleFile.h"

#include "resident/HotkeyText.h"
#include "resident/RuleSyntax.h"

#include <algorithm>
#include <optional>
#include <set>

namespace glaze {
namespace {

using namespace rulesyntax;

std::wstring Quoted(std::wstring_view name) {
    return L"“" + std::wstring(name) + L"”";
}

// A whole number of at most four digits within the bounds; nothing for any other text.
std::optional<int32_t> NumberWithin(std::wstring_view text, int32_t lowest, int32_t highest) {
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
        return std::nullopt;
    }
    int32_t number = 0;
    for (const wchar_t c : text) {
        number = number * 10 + (c - L'0');
    }
    return number >= lowest && number <= highest ? std::optional<int32_t>(number) : std::nullopt;
}

// Reads the file line by line into the set, noting each line it cannot use.
class RuleReader {
public:
    RuleReading Read(std::wstring_view text) {
        ForEachLine(text, [this](std::wstring_view line, std::wstring_view) {
            ++lineNumber_;
            ReadLine(Trimmed(line));
        });
        EndRule();
        return std::move(reading_);
    }

private:
    enum class Section { None, Glaze, Rule, Unknown };

    void Report(std::wstring why) { reading_.Problems.Add({lineNumber_, std::move(why)}); }

    void ReadLine(std::wstring_view line) {
        if (IsComment(line)) {
            return;
        }
        if (line.find(L'\0') != std::wstring_view::npos) {
            // A file broken in the middle, or not a text file at all.
            Report(L"含有空字符（NUL），已跳过");
            return;
        }
        if (line.front() == L'[') {
            OpenSection(SectionName(line));
            return;
        }
        const size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            Report(L"无法读取（应为“键=值”），已跳过");
            return;
        }
        const std::wstring key = KeyName(line);
        const std::wstring_view value = Unquoted(Trimmed(line.substr(equals + 1)));
        if (key.empty()) {
            Report(L"缺少键名，已跳过");
            return;
        }
        switch (section_) {
        case Section::None:
            Report(L"不在任何节中，已跳过");
            return;
        case Section::Unknown:
            return; // the section's line says it once
        case Section::Glaze:
        case Section::Rule:
            if (!keysSeen_.insert(key).second) {
                Report(L"重复的键" + Quoted(key) + L"，已跳过");
                return;
            }
            if (section_ == Section::Glaze) {
                ReadGlazeKey(key, value);
            } else {
                ReadRuleKey(key, value);
            }
            return;
        }
    }

    void OpenSection(const std::wstring& name) {
        EndRule();
        keysSeen_.clear();
        section_ = Section::Unknown;
        if (name == L"[") {
            Report(L"节名缺少“]”，此节各行已跳过");
        } else if (name == L"GLAZE" && !glazeSeen_) {
            section_ = Section::Glaze;
            glazeSeen_ = true;
        } else if (name == L"GLAZE") {
            Report(L"重复的节“GLAZE”，此节各行已跳过");
        } else if (name.starts_with(L"RULE")) {
            section_ = Section::Rule;
            rule_.emplace();
            rule_->Section = lineNumber_;
        } else {
            Report(L"未知的节" + Quoted(name) + L"，此节各行已跳过");
        }
    }

    void ReadGlazeKey(const std::wstring& key, std::wstring_view value) {
        if (key == L"HOTKEY") {
            if (ParseHotkey(value)) {
                reading_.Set.HotkeyText = value;
            } else {
                Report(L"无法识别的热键" + Quoted(value) + L"，仍用 " +
                       std::wstring(DefaultHotkeyText));
            }
        } else if (key == L"NEVER") {
            for (std::wstring& name : NeverFramedNames(value)) {
                reading_.Set.NeverFramed.push_back(std::move(name));
            }
        } else if (key == L"MAXFRAMES") {
            if (const auto most = NumberWithin(value, 1, LargestMaxFrames)) {
                reading_.Set.MaxFrames = *most;
            } else {
                Report(L"“MAXFRAMES”应为 1 到 " + std::to_wstring(LargestMaxFrames) +
                       L" 之间的数，仍为 " + std::to_wstring(DefaultMaxFrames));
            }
        } else {
            Report(L"未知的键" + Quoted(key) + L"，已跳过");
        }
    }

    void ReadRuleKey(const std::wstring& key, std::wstring_view value) {
        Rule& rule = *rule_;
        if (key == L"PROGRAM" || key == L"SKIN") {
            if (value.empty()) {
                Report(Quoted(key) + L"的值为空，已跳过");
                return;
            }
            (key == L"PROGRAM" ? rule.Program : rule.Skin) = value;
            if (key == L"SKIN") {
                rule.SkinLine = lineNumber_;
            }
        } else if (key == L"CLASS") {
            rule.WindowClass = value;
        } else if (key == L"TITLE") {
            rule.TitlePattern = value;
        } else if (key == L"CLOSE" || key == L"ON" || key == L"TOPMOST") {
            if (value != L"0" && value != L"1") {
                Report(Quoted(key) + L"只能是 0 或 1，已跳过");
                return;
            }
            if (key == L"CLOSE") {
                rule.CloseProgram = value == L"1" ? 1 : 0;
            } else {
                (key == L"ON" ? rule.Enabled : rule.OnTop) = value == L"1";
            }
        } else if (key == L"OPACITY") {
            if (const auto opacity = NumberWithin(value, MinOpacity, 100)) {
                rule.Opacity = *opacity;
            } else {
                Report(L"“OPACITY”应为 " + std::to_wstring(MinOpacity) +
                       L" 到 100 之间的数，已跳过");
            }
        } else {
            Report(L"未知的键" + Quoted(key) + L"，已跳过");
        }
    }

    // A rule is complete when its section ends; it is reported at its section's line.
    void EndRule() {
        if (!rule_) {
            return;
        }
        const size_t line = lineNumber_;
        lineNumber_ = rule_->Section;
        if (rule_->Program.empty() || rule_->Skin.empty()) {
            Report(std::wstring(L"规则缺少") + (rule_->Program.empty() ? L"PROGRAM" : L"SKIN") +
                   L"，整条规则已跳过");
        } else if (reading_.Set.Rules.size() >= MaxRules) {
            Report(L"规则超过 " + std::to_wstring(MaxRules) + L" 条，已跳过");
        } else {
            reading_.Set.Rules.push_back(std::move(*rule_));
        }
        lineNumber_ = line;
        rule_.reset();
    }

    RuleReading reading_;
    size_t lineNumber_ = 0;
    Section section_ = Section::None;
    bool glazeSeen_ = false;
    std::set<std::wstring> keysSeen_;
    std::optional<Rule> rule_;
};

void WriteKey(std::wstring& text, std::wstring_view key, std::wstring_view value,
              std::wstring_view lineEnd) {
    text += key;
    text += L'=';
    text += ValueText(value);
    text += lineEnd;
}

} // namespace

void RuleProblems::Add(RuleProblem problem) {
    // Kept by line, so that the first ones named are the first in the file.
    const auto at = static_cast<size_t>(
        std::upper_bound(named_.begin(), named_.end(), problem.Line,
                         [](size_t line, const RuleProblem& named) { return line < named.Line; }) -
        named_.begin());
    if (named_.size() == MostNamed) {
        ++unnamed_;
        if (at == named_.size()) {
            return;
        }
        named_.pop_back(); // a later line goes to the count instead
    }
    named_.insert(named_.begin() + static_cast<std::ptrdiff_t>(at), std::move(problem));
}

std::vector<std::wstring> NeverFramedNames(std::wstring_view list) {
    std::vector<std::wstring> names;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = list.find(L',', start);
        const std::wstring_view name = Trimmed(list.substr(
            start, comma == std::wstring_view::npos ? std::wstring_view::npos : comma - start));
        if (!name.empty()) {
            names.emplace_back(name);
        }
        start = comma == std::wstring_view::npos ? list.size() + 1 : comma + 1;
    }
    return names;
}

std::wstring NeverFramedText(const std::vector<std::wstring>& names) {
    std::wstring text;
    for (const std::wstring& name : names) {
        text += (text.empty() ? L"" : L", ") + name;
    }
    return text;
}

RuleReading ReadRules(std::wstring_view text) {
    return RuleReader().Read(text);
}

void WriteRule(std::wstring& text, std::wstring_view name, const Rule& rule,
               std::wstring_view lineEnd) {
    text += L"[";
    text += name;
    text += L"]";
    text += lineEnd;
    WriteKey(text, L"PROGRAM", rule.Program, lineEnd);
    if (!rule.WindowClass.empty()) {
        WriteKey(text, L"CLASS", rule.WindowClass, lineEnd);
    }
    if (!rule.TitlePattern.empty()) {
        WriteKey(text, L"TITLE", rule.TitlePattern, lineEnd);
    }
    WriteKey(text, L"SKIN", rule.Skin, lineEnd);
    WriteKey(text, L"CLOSE", rule.CloseProgram == 1 ? L"1" : L"0", lineEnd);
    WriteKey(text, L"ON", rule.Enabled ? L"1" : L"0", lineEnd);
    if (rule.OnTop) {
        WriteKey(text, L"TOPMOST", L"1", lineEnd);
    }
    if (rule.Opacity != 100) {
        WriteKey(text, L"OPACITY", std::to_wstring(rule.Opacity), lineEnd);
    }
}

std::wstring WriteRules(const RuleSet& set) {
    constexpr std::wstring_view End = L"\r\n";
    std::wstring text = L"[GLAZE]\r\n";
    WriteKey(text, L"HOTKEY",
             set.HotkeyText.empty() ? std::wstring(DefaultHotkeyText) : set.HotkeyText, End);
    WriteKey(text, L"NEVER", NeverFramedText(set.NeverFramed), End);
    if (set.MaxFrames != DefaultMaxFrames) {
        WriteKey(text, L"MAXFRAMES", std::to_wstring(set.MaxFrames), End);
    }
    size_t number = 0;
    for (const Rule& rule : set.Rules) {
        text += End;
        WriteRule(text, L"RULE" + std::to_wstring(++number), rule, End);
    }
    return text;
}

std::wstring ProblemsText(const RuleProblems& problems) {
    std::wstring text;
    for (const RuleProblem& problem : problems.Named()) {
        text += L"第 " + std::to_wstring(problem.Line) + L" 行：" + problem.Why + L"\r\n";
    }
    if (problems.Count() > problems.Named().size()) {
        text += L"……另有 " + std::to_wstring(problems.Count() - problems.Named().size()) +
                L" 处无法使用，未一一列出\r\n";
    }
    return text;
}

} // namespace glaze
