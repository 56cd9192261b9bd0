#pragma once
// Pictures of a skin, composed by the program's own loading and drawing code without a window.

#include "frame/SkinLoader.h"
#include "platform/DpiScale.h"

#include <cstdint>
#include <string>

namespace glaze::tools {

// The frame size at which the checker places items and the button sheet shows them, at 96 DPI.
inline constexpr int32_t ReferenceFrameWidth = 400;
inline constexpr int32_t ReferenceFrameHeight = 300;

// A skin loaded as the program loads it at a DPI, with canvases compatible with the screen.
struct PreviewSkin {
    SkinModel Model;
    SkinImages Images;
    bool Loaded = false; // false: the program would refuse the skin
    int32_t Dpi = DesignDpi;
    // The reference frame at the skin's DPI.
    int32_t FrameWidth() const { return ScaleForDpi(ReferenceFrameWidth, Dpi); }
    int32_t FrameHeight() const { return ScaleForDpi(ReferenceFrameHeight, Dpi); }
};
PreviewSkin LoadSkin(const std::wstring& skinDir, int32_t dpi = DesignDpi);

// The frame at the given outer size (in pixels at the skin's DPI), alpha included; stretched
// items take their natural size.
bool SaveFramePicture(const PreviewSkin& skin, int32_t width, int32_t height,
                      const std::wstring& out);

// The caption band around the skin's buttons in a reference frame, four times from top to
// bottom with every button in one state: normal, hover, pressed, disabled.
bool SaveButtonStatesPicture(const PreviewSkin& skin, const std::wstring& out);

} // namespace glaze::tools
