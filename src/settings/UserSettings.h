#pragma once
// The control panel's remembered settings: myset.ini beside the program.

#include <cstdint>
#include <string>
#include <string_view>

namespace glaze {

struct UserSettings {
    int32_t Save = 0;         // 1: the settings are kept when the panel closes
    int32_t StyleIndex = 0;   // the chosen skin, by its place in the skin list
    int32_t CloseProgram = 0; // the close option's box: 0 clear, 1 ticked, 2 dimmed
    std::wstring WindowText;  // the title offered when no window is in front
};

// Save is always read; the rest only when Save is 1 (otherwise as a new UserSettings has them,
// and the offered title "计算机").
UserSettings ReadUserSettings(std::wstring_view appDir);

// With Save 1 writes SAVE, APPSTYL and APPQUIT; otherwise deletes the file.
void StoreUserSettings(std::wstring_view appDir, const UserSettings& settings);

} // namespace glaze
