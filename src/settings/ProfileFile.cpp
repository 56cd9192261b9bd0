#include "settings/ProfileFile.h"

#include "platform/AnsiText.h"
#include "platform/Captions.h"
#include "settings/ProfileNumber.h"

#include <windows.h>

#include <array>

namespace glaze::ProfileFile {
namespace {

// A value longer than the read buffer is cut at 127 bytes. A double-byte character cut in
// half would leave a stray lead byte; it is dropped so the text ends on a whole character.
size_t WholeCharacterLength(const char* text, size_t length) {
    size_t i = 0;
    while (i < length) {
        const size_t step = IsDBCSLeadByte(static_cast<BYTE>(text[i])) ? 2 : 1;
        if (i + step > length) {
            break;
        }
        i += step;
    }
    return i;
}

// The value as GetPrivateProfileStringA gives it in a buffer of `size` bytes (outer blanks
// already gone), and whether it filled the buffer, which means it may have been cut.
std::string ReadProfileBytes(std::wstring_view file, std::wstring_view section,
                             std::wstring_view key, size_t size, bool& filled) {
    std::string buffer(size, '\0');
    const DWORD copied =
        GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), "", buffer.data(),
                                 static_cast<DWORD>(size), ToAnsi(file).c_str());
    filled = copied >= size - 1;
    buffer.resize(filled ? size - 1 : copied);
    std::erase(buffer, '\0');
    return buffer;
}

} // namespace

std::wstring ReadProfile(std::wstring_view file, std::wstring_view section, std::wstring_view key) {
    if (TrimBlanks(key).empty()) {
        return {};
    }
    bool filled = false;
    std::string value = ReadProfileBytes(file, section, key, 128, filled);
    value.resize(WholeCharacterLength(value.data(), value.size()));
    return FromAnsi(value);
}

std::wstring ReadWholeProfile(std::wstring_view file, std::wstring_view section,
                              std::wstring_view key) {
    if (TrimBlanks(key).empty()) {
        return {};
    }
    for (size_t size = 256;; size *= 2) {
        bool filled = false;
        std::string value = ReadProfileBytes(file, section, key, size, filled);
        if (!filled || size >= 65536) {
            return FromAnsi(value);
        }
    }
}

bool WriteProfile(std::wstring_view file, std::wstring_view section, std::wstring_view key,
                  std::wstring_view value) {
    if (TrimBlanks(value).empty() || TrimBlanks(key).empty() || TrimBlanks(section).empty()) {
        return false;
    }
    WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), ToAnsi(value).c_str(),
                               ToAnsi(file).c_str());
    return true;
}

bool FileExists(std::wstring_view path) {
    if (path.empty()) {
        return false;
    }
    const DWORD attributes = GetFileAttributesA(ToAnsi(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    constexpr DWORD NotAnOrdinaryFile =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return (attributes & NotAnOrdinaryFile) == 0;
}

int32_t ReadProfileNumber(std::wstring_view file, std::wstring_view section,
                          std::wstring_view key) {
    return ProfileNumber(ReadProfile(file, section, key));
}

} // namespace glaze::ProfileFile
