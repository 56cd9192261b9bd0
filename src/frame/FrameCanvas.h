#pragma once
// Composing a frame into a canvas. This is the drawing half of the frame's composition; the
// window half (layered-window update, raising the content window) stays with the frame form,
// so a skin can be composed without any window (the preview tool, benchmarks, tests).

#include "frame/ComposePlan.h"
#include "frame/SkinLoader.h"

#include <windows.h>

#include <functional>
#include <optional>

namespace glaze {

// Told where each item's hit area goes (frame pixels) before the item is drawn, and asked
// whether the item is enabled. Without windows, items follow their skin's disabled flag.
struct HitAreaCallbacks {
    std::function<void(int32_t item, const PixelRect& rect)> Place;
    std::function<bool(int32_t item)> IsEnabled;
};

// Draws the nine-slice and every item into the canvas for a frame of the given outer size,
// plain copies including alpha. Allocates nothing and decodes nothing. Returns the rectangle
// of the last item placed, or nothing when the skin has only the frame image.
std::optional<PixelRect> DrawFrame(HDC canvas, const SkinModel& skin, const SkinImages& images,
                                   int32_t frameWidth, int32_t frameHeight,
                                   const HitAreaCallbacks& hitAreas);

// Copies one blit from an item canvas into the frame canvas.
void ExecuteBlit(HDC canvas, HDC source, const Blit& blit);

} // namespace glaze
