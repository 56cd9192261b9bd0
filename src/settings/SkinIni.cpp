#include "settings/SkinIni.h"

#include "settings/ProfileFile.h"
#include "settings/SkinItemLine.h"

namespace glaze {

std::wstring SkinDirOf(std::wstring_view appDir, std::wstring_view name) {
    return std::wstring(appDir) + L"SKIN\\" + std::wstring(name);
}

std::wstring SkinIniOf(std::wstring_view skinDir) {
    return std::wstring(skinDir) + L"\\skin.ini";
}

bool IsSkinDirectory(std::wstring_view dir) {
    return ProfileFile::FileExists(SkinIniOf(dir));
}

std::vector<std::wstring> ReadSkinItemLines(std::wstring_view skinIni) {
    return ReadItemLines([&](int32_t item) { return ReadSkinItemLine(skinIni, item); });
}

std::wstring ReadSkinItemLine(std::wstring_view skinIni, int32_t item) {
    return ProfileFile::ReadProfile(skinIni, L"SKININFO", SkinItemKey(item));
}

} // namespace glaze
