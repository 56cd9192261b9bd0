#pragma once
// Faults that the end-to-end tests set off inside a test build of the program (one compiled with
// GLAZE_TEST_FAULTS), named by the environment variable GLAZE_TEST_FAULT:
//   "skin-load"  an exception inside the skin load, as an allocation failure would throw;
//   "throw"      a C++ exception escaping the message loop, a second after start-up;
//   "crash"      an access violation in the message loop, a second after start-up;
//   "unload"     an exception inside the frame's unload;
//   "no-window-events"  the resident glaze gets no window events, as where they cannot be had;
//   "tray-late"  the shell takes no notification-area icon during the first seconds, as at
//                log-on;
//   "refuse-capture"    the system refuses to take the framed window into the content window
//                       (as for a window of a higher integrity level);
//   "refuse-give-back"  the system refuses the first give-back of the framed window to its
//                       parent.
// And one record: with GLAZE_TEST_NOTES naming a file, every note the resident glaze says in a
// balloon is added to it as a line of UTF-8.
// A release build has none of this: the calls compile to nothing.

#include <windows.h>

#include <string_view>

namespace glaze::TestFaults {

#ifdef GLAZE_TEST_FAULTS
void InSkinLoad();
void AfterStartUp();
void InMessageLoop(const MSG& msg);
void InUnload();
bool NoWindowEvents();
bool TrayRefused();
bool ParentRefused(bool givingBack);
void Said(std::wstring_view note);
#else
inline void InSkinLoad() {}
inline void AfterStartUp() {}
inline void InMessageLoop(const MSG&) {}
inline void InUnload() {}
inline bool NoWindowEvents() {
    return false;
}
inline bool TrayRefused() {
    return false;
}
inline bool ParentRefused(bool) {
    return false;
}
inline void Said(std::wstring_view) {}
#endif

} // namespace glaze::TestFaults
