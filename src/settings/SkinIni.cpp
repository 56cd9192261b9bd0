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
    std::vector<std::wstring> lines;
    for (int32_t item = 0;; ++item) {
        std::wstring line = ProfileFile::ReadProfile(skinIni, L"SKININFO", SkinItemKey(item));
        if (line.empty()) {
            return lines;
        }
        lines.push_back(std::move(line));
    }
}

} // namespace glaze
