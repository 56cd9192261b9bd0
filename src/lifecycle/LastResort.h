#pragma once
// A frame process that dies still gives the captured window back first: an exception nobody
// handles (an access violation, say), a C++ exception escaping to the top, an abort. Without
// this the window, a child of the content window, would go down with the process while its
// program lives on without it.

namespace glaze {

class WindowKeeper;

// Starts the keeper's thread, which every failure asks for the window, and installs the handlers.
void InstallLastResort(WindowKeeper& keeper);

} // namespace glaze
