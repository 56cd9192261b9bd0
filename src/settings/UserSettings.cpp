#include "settings/UserSettings.h"

#include "platform/AnsiText.h"
#include "settings/ProfileFile.h"

#include <windows.h>

namespace glaze {
namespace {

constexpr wchar_t Section[] = L"SETTING";

std::wstring PathIn(std::wstring_view appDir) {
    return std::wstring(appDir) + L"myset.ini";
}

} // namespace

UserSettings ReadUserSettings(std::wstring_view appDir) {
    const std::wstring file = PathIn(appDir);
    UserSettings settings;
    settings.Save = ProfileFile::ReadProfileNumber(file, Section, L"SAVE");
    settings.WindowText = L"计算机";
    if (settings.Save == 1) {
        settings.StyleIndex = ProfileFile::ReadProfileNumber(file, Section, L"APPSTYL");
        settings.CloseProgram = ProfileFile::ReadProfileNumber(file, Section, L"APPQUIT");
        settings.WindowText = ProfileFile::ReadProfile(file, Section, L"WindowText");
    }
    return settings;
}

void StoreUserSettings(std::wstring_view appDir, const UserSettings& settings) {
    const std::wstring file = PathIn(appDir);
    if (settings.Save != 1) {
        DeleteFileA(ToAnsi(file).c_str());
        return;
    }
    ProfileFile::WriteProfile(file, Section, L"SAVE", L"1");
    ProfileFile::WriteProfile(file, Section, L"APPSTYL", std::to_wstring(settings.StyleIndex));
    ProfileFile::WriteProfile(file, Section, L"APPQUIT", std::to_wstring(settings.CloseProgram));
}

bool ReadSnapping(std::wstring_view appDir) {
    const std::wstring file = PathIn(appDir);
    return ProfileFile::ReadProfile(file, Section, L"APPSNAP").empty() ||
           ProfileFile::ReadProfileNumber(file, Section, L"APPSNAP") != 0;
}

} // namespace glaze
