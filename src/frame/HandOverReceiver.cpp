#include "frame/HandOverReceiver.h"

#include "frame/FrameWindow.h"
#include "lifecycle/ProcessValues.h"
#include "settings/HandOverFile.h"

namespace glaze {

void ReceiveRestyle(FrameWindow& frame) {
    const auto handOver = TakeHandOverFor(frame.Caption());
    if (!handOver) {
        return;
    }
    Process.StyleIndex = handOver->StyleIndex;
    Process.QuitFlag = handOver->CloseProgram;
    frame.ReloadSkin();
}

} // namespace glaze
