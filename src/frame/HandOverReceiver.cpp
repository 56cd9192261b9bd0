#include "frame/HandOverReceiver.h"

#include "frame/FrameWindow.h"
#include "settings/RunSettings.h"
#include "settings/HandOverFile.h"

namespace glaze {

void ReceiveRestyle(FrameWindow& frame) {
    const auto handOver = TakeHandOverFor(frame.Caption());
    if (!handOver) {
        return;
    }
    TheRun().StyleIndex = handOver->StyleIndex;
    TheRun().CloseProgram = handOver->CloseProgram;
    frame.ReloadSkin();
}

} // namespace glaze
