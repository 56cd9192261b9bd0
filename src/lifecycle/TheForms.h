#pragma once
// The two forms of every process: the frame window and the content window.

namespace glaze {

class FrameWindow;
class ContentWindow;

FrameWindow& TheFrameWindow();
ContentWindow& TheContentWindow();

} // namespace glaze
