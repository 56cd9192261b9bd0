#pragma once
// Waiting for another thread while this one's windows go on handling their messages.

#include <windows.h>

#include <initializer_list>

namespace glaze {

// Waits until one of `signals` is signalled, handling this thread's messages meanwhile. A WM_QUIT
// seen on the way is kept for the loop that asked for it and posted again once the wait is over.
// False when `limitMs` (INFINITE: no limit) ran out or the wait failed.
bool WaitHandlingMessages(std::initializer_list<HANDLE> signals, DWORD limitMs);

// Waits until `done` is signalled or the time has run out, as a thread waits inside a call to a
// window of another thread: it answers the messages other threads send to its windows and
// handles nothing else, neither posted messages nor input.
void WaitAnsweringSentMessages(HANDLE done, DWORD limitMs) noexcept;

// From now on the windows of the calling thread, children included, answer every message with
// the platform's default handling: none of the program's own code runs for them any more.
void HandWindowsToDefaultHandling() noexcept;

} // namespace glaze
