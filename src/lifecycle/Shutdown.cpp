// The frame's unload ends a process: hooks off, canvases and GDI+ released, hit areas gone,
// then every other form unloaded, which gives a captured window back.

#include "frame/Form1.h"

#include "hosting/ModMoveFrm.h"
#include "lifecycle/Modunfrms.h"
#include "platform/GdiPlus.h"

namespace glaze {

void Form1::OnUnload() {
    ModMoveFrm::RemoveMoveHook(*this);
    FrameDC.Reset();
    Images.ItemDC.clear();
    ShutdownGdiPlus(GdipToken);
    GdipToken = 0;
    while (PicContl.size() > 1) {
        PicContl.pop_back();
    }
    Modunfrms::UnloadAllForms(false);
}

} // namespace glaze
