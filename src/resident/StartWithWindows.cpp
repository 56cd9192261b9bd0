#include "resident/StartWithWindows.h"

#include "panel/FrameProcess.h"
#include "platform/Scoped.h"
#include "settings/CommandLine.h"

#include <windows.h>

#include <array>
#include <optional>
#include <string>

namespace glaze {
namespace {

constexpr wchar_t RunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t EntryName[] = L"glaze";

// The quoted program path and the resident argument; nothing when the path does not fit the
// platform's limit. Read once: the program does not move while it runs.
const std::optional<std::wstring>& ResidentCommand() {
    static const std::optional<std::wstring> command = [] {
        const auto program = ThisProgramPath();
        return program ? std::optional<std::wstring>(L"\"" + *program + L"\" " +
                                                     std::wstring(ResidentArgument))
                       : std::nullopt;
    }();
    return command;
}

ScopedRegistryKey OpenRunKey(REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, RunKey, 0, access, &key) != ERROR_SUCCESS) {
        return {};
    }
    return ScopedRegistryKey(key);
}

} // namespace

bool StartsWithWindows() {
    const ScopedRegistryKey key = OpenRunKey(KEY_QUERY_VALUE);
    if (!key) {
        return false;
    }
    std::array<wchar_t, MAX_PATH + 32> value{};
    DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t) - sizeof(wchar_t));
    DWORD type = 0;
    if (RegQueryValueExW(key, EntryName, nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return false;
    }
    return ResidentCommand() && lstrcmpiW(value.data(), ResidentCommand()->c_str()) == 0;
}

bool SetStartWithWindows(bool start) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, RunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const ScopedRegistryKey key(created);
    if (!start) {
        const LSTATUS status = RegDeleteValueW(key, EntryName);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    const auto& command = ResidentCommand();
    return command && RegSetValueExW(key, EntryName, 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(command->c_str()),
                                     static_cast<DWORD>((command->size() + 1) * sizeof(wchar_t))) ==
                          ERROR_SUCCESS;
}

} // namespace glaze
