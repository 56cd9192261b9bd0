#include "settings/HandOverFile.h"

#include "platform/AnsiText.h"
#include "settings/ProfileFile.h"

#include <windows.h>

namespace glaze {
namespace {

constexpr wchar_t Section[] = L"SETTING";

} // namespace

std::wstring HandOverPath() {
    return ProfileFile::GetTempFilePath();
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
