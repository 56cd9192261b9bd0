#pragma once
// One pending re-style request from the control panel to a running frame: mysetfile.tmp in the
// user's temporary directory, shared by every frame of the user.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glaze {

struct HandOver {
    int32_t StyleIndex = 0;
    int32_t CloseProgram = 0; // as the panel's box showed it: 0, 1 or 2 (dimmed)
};

// Where the file lies: the user's temporary directory followed by "mysetfile.tmp" (the bare
// name when the directory cannot be had).
std::wstring HandOverPath();

// Writes the request for the frame with this caption, replacing any earlier one.
void WriteHandOver(std::wstring_view caption, const HandOver& handOver);

// The request, when it names the frame with this caption (compared whole, however long); it is
// then deleted. A request for another frame stays where it is.
std::optional<HandOver> TakeHandOverFor(std::wstring_view caption);

// A frame starting up drops whatever request is pending.
void DeleteHandOver();

} // namespace glaze
