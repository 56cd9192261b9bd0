#include "resident/RulesStore.h"

#include "platform/AnsiText.h"
#include "platform/Scoped.h"
#include "resident/Pattern.h"
#include "resident/RuleSyntax.h"

#include <algorithm>

namespace glaze {
namespace {

// A rules file is a few kilobytes; past this it is read no further, and said so.
constexpr DWORD LargestFile = 1 << 20;

bool SameName(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return FoldCase(x) == FoldCase(y); });
}

// FNV-1a over the bytes, and the file's whole size.
uint64_t FingerprintOf(std::string_view bytes, uint64_t size) {
    uint64_t hash = 14695981039346656037ULL ^ size;
    for (const char byte : bytes) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ULL;
    }
    return hash;
}

struct RawFile {
    bool Exists = false;
    std::string Bytes; // the first LargestFile of them
    uint64_t Size = 0;
};

RawFile ReadRulesBytes(std::wstring_view appDir) {
    const ScopedHandle file(CreateFileW(RulesPath(appDir).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    RawFile read;
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file, &size)) {
        return read;
    }
    read.Exists = true;
    read.Size = static_cast<uint64_t>(size.QuadPart);
    const DWORD wanted = read.Size > LargestFile ? LargestFile : static_cast<DWORD>(read.Size);
    read.Bytes.resize(wanted);
    DWORD got = 0;
    if (wanted > 0 && !ReadFile(file, read.Bytes.data(), wanted, &got, nullptr)) {
        got = 0;
    }
    read.Bytes.resize(got);
    return read;
}

FILETIME WriteTimeOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.ftLastWriteTime
                                                                            : FILETIME{};
}

size_t LineCount(std::wstring_view text) {
    size_t lines = 0;
    rulesyntax::ForEachLine(text, [&](std::wstring_view, std::wstring_view) { ++lines; });
    return lines;
}

} // namespace

std::wstring RulesPath(std::wstring_view appDir) {
    return std::wstring(appDir) + L"rules.ini";
}

RulesFile ReadRulesFile(std::wstring_view appDir) {
    const RawFile bytes = ReadRulesBytes(appDir);
    RulesFile file;
    if (!bytes.Exists) {
        return file;
    }
    file.Exists = true;
    file.Fingerprint = FingerprintOf(bytes.Bytes, bytes.Size);
    FileText text = ReadFileText(bytes.Bytes, [](std::string_view ansi) { return FromAnsi(ansi); });
    file.Form = text.Form;
    file.Reading = ReadRules(text.Text);
    for (const size_t line : text.BadLines) {
        file.Reading.Problems.Add({line, L"含有无法识别的字节，已读作“\uFFFD”"});
    }
    file.Reading.Problems.AddUnnamed(text.BadLineCount - text.BadLines.size());
    if (bytes.Size > LargestFile) {
        file.Reading.Problems.Add({LineCount(text.Text), L"文件超过 1 MB，其后各行已跳过"});
    }
    file.Text = std::move(text.Text);
    return file;
}

bool RulesFileUnchanged(std::wstring_view appDir, const RulesFile& read) {
    const RawFile bytes = ReadRulesBytes(appDir);
    return bytes.Exists == read.Exists &&
           (!bytes.Exists || FingerprintOf(bytes.Bytes, bytes.Size) == read.Fingerprint);
}

bool SaveRulesText(std::wstring_view appDir, std::wstring_view text, TextForm form, bool keepOld) {
    const std::wstring path = RulesPath(appDir);
    if (keepOld) {
        CopyFileW(path.c_str(), (path + L".bak").c_str(), FALSE);
    }
    const std::string bytes =
        WriteFileText(text, form, [](std::wstring_view wide) { return ToAnsiExactly(wide); }).Bytes;
    // Written beside it first, then put in its place, so that a failed write leaves the old
    // file whole.
    const std::wstring fresh = path + L".new";
    {
        const ScopedHandle file(CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file ||
            !WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size()) {
            DeleteFileW(fresh.c_str());
            return false;
        }
    }
    return MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

void AddMissingSkins(RuleProblems& problems, const RuleSet& rules,
                     const std::vector<std::wstring>& skinNames) {
    for (const Rule& rule : rules.Rules) {
        const bool found =
            std::any_of(skinNames.begin(), skinNames.end(),
                        [&](const std::wstring& name) { return SameName(name, rule.Skin); });
        if (!found) {
            problems.Add({rule.SkinLine, L"没有名为“" + rule.Skin + L"”的皮肤，此规则暂不起作用"});
        }
    }
}

void ResidentRules::Reload() {
    const RulesFile file = ReadRulesFile(appDir_);
    set_ = file.Reading.Set;
    problemCount_ = file.Reading.Problems.Count();
    time_ = WriteTimeOf(RulesPath(appDir_));
}

bool ResidentRules::ReloadIfChanged() {
    const FILETIME now = WriteTimeOf(RulesPath(appDir_));
    if (CompareFileTime(&now, &time_) == 0) {
        return false;
    }
    Reload();
    return true;
}

} // namespace glaze
