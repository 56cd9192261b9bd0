#pragma once
// Faults that the end-to-end tests set off inside a test build of the program (one compiled with
// GLAZE_TEST_FAULTS), named by the environment variable GLAZE_TEST_FAULT:
//   "skin-load"  an exception inside the skin load, as an allocation failure would throw;
//   "throw"      a C++ exception escaping the message loop, a second after start-up;
//   "crash"      an access violation in the message loop, a second after start-up;
//   "unload"     an exception inside the frame's unload.
// A release build has none of this: the calls compile to nothing.

#include <windows.h>

namespace glaze::TestFaults {

#ifdef GLAZE_TEST_FAULTS
void InSkinLoad();
void AfterStartUp();
void InMessageLoop(const MSG& msg);
void InUnload();
#else
inline void InSkinLoad() {}
inline void AfterStartUp() {}
inline void InMessageLoop(const MSG&) {}
inline void InUnload() {}
#endif

} // namespace glaze::TestFaults
