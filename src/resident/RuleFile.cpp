#include "resident/RuleFile.h"

#include "resident/HotkeyText.h"
#include "resident/Pattern.h"

#include <algorithm>
#include <optional>
#include <set>

namespace glaze {
namespace {

constexpr std::wstring_view Blanks = L" \t";

std::wstring_view Trimmed(std::wstring_view text) {
    const size_t first = text.find_first_not_of(Blanks);
    if (first == std::wstring_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

std::wstring_view Unquoted(std::wstring_view value) {
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::wstring Upper(std::wstring_view name) {
    std::wstring upper(name);
    for (wchar_t& c : upper) {
        if (c >= L'a' && c <= L'z') {
            c = static_cast<wchar_t>(c - L'a' + L'A');
        }
    }
    return upper;
}

std::wstring Quoted(std::wstring_view name) {
    return L"“" + std::wstring(name) + L"”";
}

// Reads the file line by line into the set, noting each line it cannot use.
class RuleReader {
public:
    RuleReading Read(std::wstring_view text) {
        // Lines end in CR LF, LF or a lone CR.
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find_first_of(L"\r\n", start);
            if (end == std::wstring_view::npos) {
                end = text.size();
            }
            ++lineNumber_;
            ReadLine(Trimmed(text.substr(start, end - start)));
            start = end + (text.substr(end).starts_with(L"\r\n") ? 2 : 1);
        }
        EndRule();
        return std::move(reading_);
    }

private:
    enum class Section { None, Glaze, Rule, Unknown };

    void Report(std::wstring why) { reading_.Problems.push_back({lineNumber_, std::move(why)}); }

    void ReadLine(std::wstring_view line) {
        if (line.empty() || line.front() == L';' || line.front() == L'#') {
            return;
        }
        if (line.front() == L'[') {
            OpenSection(line);
            return;
        }
        const size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            Report(L"无法读取（应为“键=值”），已跳过");
            return;
        }
        const std::wstring key = Upper(Trimmed(line.substr(0, equals)));
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

    void OpenSection(std::wstring_view line) {
        EndRule();
        keysSeen_.clear();
        if (!line.ends_with(L']')) {
            Report(L"节名缺少“]”，此节各行已跳过");
            section_ = Section::Unknown;
            return;
        }
        const std::wstring name = Upper(Trimmed(line.substr(1, line.size() - 2)));
        if (name == L"GLAZE") {
            section_ = Section::Glaze;
        } else if (name.starts_with(L"RULE")) {
            section_ = Section::Rule;
            rule_.emplace();
            ruleLine_ = lineNumber_;
        } else {
            Report(L"未知的节" + Quoted(name) + L"，此节各行已跳过");
            section_ = Section::Unknown;
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
            size_t start = 0;
            while (start <= value.size()) {
                const size_t comma = value.find(L',', start);
                const std::wstring_view name = Trimmed(
                    value.substr(start, comma == std::wstring_view::npos ? std::wstring_view::npos
                                                                         : comma - start));
                if (!name.empty()) {
                    reading_.Set.NeverFramed.emplace_back(name);
                }
                start = comma == std::wstring_view::npos ? value.size() + 1 : comma + 1;
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
        } else if (key == L"CLOSE" || key == L"ON") {
            if (value != L"0" && value != L"1") {
                Report(Quoted(key) + L"只能是 0 或 1，已跳过");
                return;
            }
            if (key == L"CLOSE") {
                rule.CloseProgram = value == L"1" ? 1 : 0;
            } else {
                rule.Enabled = value == L"1";
            }
        } else {
            Report(L"未知的键" + Quoted(key) + L"，已跳过");
        }
    }

    // A rule is complete when its section ends.
    void EndRule() {
        if (!rule_) {
            return;
        }
        const size_t line = lineNumber_;
        lineNumber_ = ruleLine_;
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
    std::set<std::wstring> keysSeen_;
    std::optional<Rule> rule_;
    size_t ruleLine_ = 0;
};

// One line of the file: quoted when the value's outer blanks or quotes would otherwise be lost.
void WriteKey(std::wstring& text, std::wstring_view key, std::wstring_view value) {
    std::wstring clean(value);
    for (wchar_t& c : clean) {
        if (c == L'\r' || c == L'\n') {
            c = L' ';
        }
    }
    const bool quote = !clean.empty() && (clean != Trimmed(clean) || clean != Unquoted(clean));
    text += key;
    text += L'=';
    text += quote ? L"\"" + clean + L"\"" : clean;
    text += L"\r\n";
}

} // namespace

RuleReading ReadRules(std::wstring_view text) {
    return RuleReader().Read(text);
}

std::wstring WriteRules(const RuleSet& set) {
    std::wstring text = L"[GLAZE]\r\n";
    WriteKey(text, L"HOTKEY",
             set.HotkeyText.empty() ? std::wstring(DefaultHotkeyText) : set.HotkeyText);
    std::wstring never;
    for (const std::wstring& name : set.NeverFramed) {
        never += (never.empty() ? L"" : L", ") + name;
    }
    WriteKey(text, L"NEVER", never);
    size_t number = 0;
    for (const Rule& rule : set.Rules) {
        text += L"\r\n[RULE" + std::to_wstring(++number) + L"]\r\n";
        WriteKey(text, L"PROGRAM", rule.Program);
        if (!rule.WindowClass.empty()) {
            WriteKey(text, L"CLASS", rule.WindowClass);
        }
        if (!rule.TitlePattern.empty()) {
            WriteKey(text, L"TITLE", rule.TitlePattern);
        }
        WriteKey(text, L"SKIN", rule.Skin);
        WriteKey(text, L"CLOSE", rule.CloseProgram == 1 ? L"1" : L"0");
        WriteKey(text, L"ON", rule.Enabled ? L"1" : L"0");
    }
    return text;
}

std::wstring ProblemsText(std::vector<RuleProblem> problems) {
    std::stable_sort(problems.begin(), problems.end(),
                     [](const RuleProblem& a, const RuleProblem& b) { return a.Line < b.Line; });
    std::wstring text;
    for (const RuleProblem& problem : problems) {
        text += L"第 " + std::to_wstring(problem.Line) + L" 行：" + problem.Why + L"\r\n";
    }
    return text;
}

} // namespace glaze
