#include "hosting/CaptureGeometry.h"

#include "platform/Rounding.h"

#include <cstdlib>

namespace glaze {
namespace {

// The size of a border whatever its sign, defined for every 32-bit number.
int64_t Magnitude(int32_t value) {
    return std::abs(int64_t{value});
}

} // namespace

CapturePlan PlanCapture(const ScreenRect& window, int32_t clientWidth, int32_t clientHeight,
                        int32_t topLeftX, int32_t topLeftY, int32_t bottomRightX,
                        int32_t bottomRightY) {
    CapturePlan plan;
    CapturedBorders& borders = plan.Borders;
    borders.BorderLeft = Saturate(Magnitude(topLeftX));
    borders.BorderTop = Saturate(Magnitude(topLeftY));
    borders.NonClientWidth = Saturate(Magnitude(bottomRightX) + Magnitude(topLeftX) - clientWidth);
    borders.NonClientHeight =
        Saturate(Magnitude(bottomRightY) + Magnitude(topLeftY) - clientHeight);
    const int64_t width = clientWidth < 1 ? 640 : clientWidth;
    const int64_t height = clientHeight < 1 ? 480 : clientHeight;
    const int64_t left = int64_t{borders.BorderLeft} + window.Left;
    const int64_t top = int64_t{borders.BorderTop} + window.Top;
    plan.Content = {Saturate(left), Saturate(top), Saturate(left + width), Saturate(top + height)};
    borders.Taken = plan.Content;
    return plan;
}

ScreenRect PlanRelease(const CapturedBorders& borders, int32_t contentLeft, int32_t contentTop,
                       int32_t contentWidth, int32_t contentHeight,
                       const std::optional<ScreenRect>& placedInReach) {
    int64_t left = int64_t{contentLeft};
    int64_t top = int64_t{contentTop};
    int64_t width = contentWidth;
    int64_t height = contentHeight;
    const bool unmoved = placedInReach && *placedInReach == ScreenRect{contentLeft, contentTop,
                                                                       Saturate(left + width),
                                                                       Saturate(top + height)};
    if (width < 1 || height < 1 || unmoved) {
        // A skin whose borders leave the frame no interior has squeezed the window to nothing,
        // or the frame lies where glaze put it: it goes back whole, as it was taken in.
        left = borders.Taken.Left;
        top = borders.Taken.Top;
        width = int64_t{borders.Taken.Right} - borders.Taken.Left;
        height = int64_t{borders.Taken.Bottom} - borders.Taken.Top;
    }
    left -= borders.BorderLeft;
    top -= borders.BorderTop;
    return {Saturate(left), Saturate(top), Saturate(left + width + borders.NonClientWidth),
            Saturate(top + height + borders.NonClientHeight)};
}

ScreenRect ClientAreaOf(const ScreenRect& window, const CapturedBorders& borders) {
    const int64_t left = int64_t{window.Left} + borders.BorderLeft;
    const int64_t top = int64_t{window.Top} + borders.BorderTop;
    return {
        Saturate(left), Saturate(top),
        Saturate(int64_t{window.Right} - (int64_t{borders.NonClientWidth} - borders.BorderLeft)),
        Saturate(int64_t{window.Bottom} - (int64_t{borders.NonClientHeight} - borders.BorderTop))};
}

} // namespace glaze
