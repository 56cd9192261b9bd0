#pragma once

namespace glaze {

class FrameWindow;

// Runs when a frame process's frame has been minimised: when the hand-over file names this
// frame, takes the new skin and close option from it, deletes it and reloads the skin, which
// brings the frame back. Otherwise the frame simply stays minimised.
void ReceiveRestyle(FrameWindow& frame);

} // namespace glaze
