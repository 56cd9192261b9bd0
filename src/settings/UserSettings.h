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

// With Save 1 writes SAVE, APPSTYL and APPQUIT, leaving every other key as it is (WindowText,
// APPSNAP); otherwise deletes the file.
void StoreUserSettings(std::wstring_view appDir, const UserSettings& settings);

// Whether frames snap to the edges around them while dragged: APPSNAP in myset.ini, which
// nothing writes but the user. Read as a number like every key there: 0 turns snapping off,
// any other number, or no key or file, leaves it on. Frames read it at the start of every drag,
// whether or not the panel saves settings.
bool ReadSnapping(std::wstring_view appDir);

} // namespace glaze
