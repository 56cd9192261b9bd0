#pragma once
// The skin a frame shows: its items at one DPI and the canvases of their images, loaded and
// dropped together. Only the skin load changes it; the composition and the mouse draw from it.

#include "frame/FrameCanvas.h"
#include "frame/SkinLoader.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace glaze {

class FrameSkin {
public:
    const SkinModel& Model() const { return model_; }
    // The DPI its numbers and images are at; 0 before the first load.
    int32_t Dpi() const { return dpi_; }

    // Loads the skin directory at the DPI (LoadSkinItems). False when it cannot be used:
    // Model().ItemCount then names the item that failed.
    bool Load(const std::wstring& dir, HDC compatible, int32_t dpi,
              const PrepareHitArea& prepareHitArea);
    // The images go, and with them what the items do: nothing acts on a skin half loaded.
    void Drop();
    // The images go; for the frame's end.
    void DropImages() { images_.ItemDC.clear(); }

    // The interior a frame of this size leaves, from which stretched items grow.
    void FitFrame(int32_t frameWidth, int32_t frameHeight) {
        model_.FitFrame(frameWidth, frameHeight);
    }
    // The whole frame of this size into the canvas (DrawFrame).
    std::optional<PixelRect> Draw(HDC canvas, SIZE frame, const HitAreaCallbacks& hitAreas) const {
        return DrawFrame(canvas, model_, images_, frame.cx, frame.cy, hitAreas);
    }
    // One state cell of a button item into its rectangle on the canvas.
    void DrawCell(HDC canvas, int32_t item, const PixelRect& rect, int32_t cell) const {
        ExecuteBlit(canvas, images_.ItemDC[static_cast<size_t>(item)], CellBlit(rect, cell));
    }

private:
    SkinModel model_;
    SkinImages images_;
    int32_t dpi_ = 0;
};

} // namespace glaze
