// The frame's unload ends a process: hooks off, canvases and GDI+ released, hit areas gone,
// then every other form unloaded, which gives a captured window back.

#include "frame/FrameWindow.h"

#include "frame/FollowFrame.h"
#include "platform/UnloadAll.h"
#include "platform/GdiPlus.h"

namespace glaze {

void FrameWindow::OnUnload() {
    FollowFrame::RemoveMoveHook(*this);
    FrameDC.Reset();
    Images.ItemDC.clear();
    ShutdownGdiPlus(GdipToken);
    GdipToken = 0;
    while (HitAreas.size() > 1) {
        HitAreas.pop_back();
    }
    UnloadAllForms(false);
}

} // namespace glaze
