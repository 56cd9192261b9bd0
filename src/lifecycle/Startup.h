#pragma once
// The start of every process, run by the frame window's on-load: the control panel or a frame,
// its settings or command line, GDI+, the layered frame, the content window, the skin and the
// hooks, in that order.

namespace glaze {

class FrameWindow;

void StartUp(FrameWindow& frame);

} // namespace glaze
