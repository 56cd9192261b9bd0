#pragma once
// Starting processes of this program: a frame through its command line, as the panel's Apply
// does, or the program with another argument text.

#include "platform/Scoped.h"
#include "settings/CommandLine.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glaze {

// The running program's path; nothing when it does not fit the platform's path limit.
std::optional<std::wstring> ThisProgramPath();

// Starts the command line shown normally. The new process's handle, or an empty one.
ScopedHandle StartProcess(const std::wstring& commandLine);

// Starts this program with the argument text (empty: the control panel).
ScopedHandle StartThisProgram(std::wstring_view argumentText);

// Starts this program as the frame of the window with the title, with the skin at styleIndex
// and the close option. `extras` name the one window the frame is to take, for titles that
// repeat and change, and how the frame comes up; without them the frame takes a window with the
// title. The new process's handle, or an empty one when no frame could be started.
ScopedHandle StartFrameProcess(const std::wstring& title, int32_t styleIndex, int32_t closeOption,
                               const std::optional<FrameExtras>& extras = std::nullopt);

} // namespace glaze
