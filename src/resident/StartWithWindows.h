#pragma once
// The one registry entry the program makes: the current user's Run entry that starts the
// resident glaze when the user logs on. Nothing else of the program touches the registry.

namespace glaze {

// Whether the entry is there and starts this very program.
bool StartsWithWindows();
// Writes or removes the entry; false when the registry refused.
bool SetStartWithWindows(bool start);

} // namespace glaze
