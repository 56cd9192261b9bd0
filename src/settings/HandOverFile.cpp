#include "settings/HandOverFile.h"

#include "platform/AnsiText.h"
#include "settings/ProfileFile.h"

#include <windows.h>

#include <array>

namespace glaze {
namespace {

constexpr wchar_t Section[] = L"SETTING";

} // namespace

std::wstring HandOverPath() {
    std::array<char, 255> buffer{};
    const DWORD reported = GetTempPathA(254, buffer.data());
    std::string dir(buffer.data(), reported < buffer.size() ? reported : 0);
    if (const size_t nul = dir.find('\0'); nul != std::string::npos) {
        dir.resize(nul);
    }
    return FromAnsi(dir) + L"mysetfile.tmp";
}

void WriteHandOver(std::wstring_view caption, const HandOver& handOver) {
    const std::wstring file = HandOverPath();
    ProfileFile::WriteProfile(file, Section, L"SetReCaption", caption);
    ProfileFile::WriteProfile(file, Section, L"SetReSTYL", std::to_wstring(handOver.StyleIndex));
    ProfileFile::WriteProfile(file, Section, L"SetReQUIT", std::to_wstring(handOver.CloseProgram));
}

std::optional<HandOver> TakeHandOverFor(std::wstring_view caption) {
    const std::wstring file = HandOverPath();
    // Read whole: a caption longer than an ordinary value's 127 bytes must still match.
    if (ProfileFile::ReadWholeProfile(file, Section, L"SetReCaption") != caption) {
        return std::nullopt;
    }
    const HandOver handOver{ProfileFile::ReadProfileNumber(file, Section, L"SetReSTYL"),
                            ProfileFile::ReadProfileNumber(file, Section, L"SetReQUIT")};
    DeleteHandOver();
    return handOver;
}

void DeleteHandOver() {
    DeleteFileA(ToAnsi(HandOverPath()).c_str());
}

} // namespace glaze
