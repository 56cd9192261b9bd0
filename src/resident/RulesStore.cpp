#include "resident/RulesStore.h"

#include "platform/AnsiText.h"
#include "platform/Scoped.h"
#include "resident/Pattern.h"

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

} // namespace

std::wstring RulesPath(std::wstring_view appDir) {
    return std::wstring(appDir) + L"rules.ini";
}

RuleReading LoadRules(std::wstring_view appDir) {
    const ScopedHandle file(CreateFileW(RulesPath(appDir).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return {};
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    const DWORD wanted = size.QuadPart > LargestFile ? LargestFile : size.LowPart;
    std::string bytes(wanted, '\0');
    DWORD read = 0;
    if (wanted > 0 && !ReadFile(file, bytes.data(), wanted, &read, nullptr)) {
        read = 0;
    }
    bytes.resize(read);
    RuleReading reading = ReadRules(FromAnsi(bytes));
    if (size.QuadPart > LargestFile) {
        const auto lines = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
        reading.Problems.push_back({lines, L"文件超过 1 MB，其后各行已跳过"});
    }
    return reading;
}

bool SaveRules(std::wstring_view appDir, const RuleSet& rules, bool keepOld) {
    const std::wstring path = RulesPath(appDir);
    if (keepOld) {
        CopyFileW(path.c_str(), (path + L".bak").c_str(), FALSE);
    }
    // Written beside it first, then put in its place, so that a failed write leaves the old
    // file whole.
    const std::wstring fresh = path + L".new";
    const std::string bytes = ToAnsi(WriteRules(rules));
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

FILETIME RulesWriteTime(std::wstring_view appDir) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(RulesPath(appDir).c_str(), GetFileExInfoStandard, &data)) {
        return {};
    }
    return data.ftLastWriteTime;
}

std::vector<RuleProblem> MissingSkins(const RuleSet& rules,
                                      const std::vector<std::wstring>& skinNames) {
    std::vector<RuleProblem> missing;
    for (const Rule& rule : rules.Rules) {
        const bool found =
            std::any_of(skinNames.begin(), skinNames.end(),
                        [&](const std::wstring& name) { return SameName(name, rule.Skin); });
        if (!found) {
            missing.push_back(
                {rule.SkinLine, L"没有名为“" + rule.Skin + L"”的皮肤，此规则暂不起作用"});
        }
    }
    return missing;
}

} // namespace glaze
