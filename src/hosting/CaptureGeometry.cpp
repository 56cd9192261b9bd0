#include "hosting/CaptureGeometry.h"

#include <cstdlib>

namespace glaze {

CapturePlan PlanCapture(const ScreenRect& window, int32_t clientWidth, int32_t clientHeight,
                        int32_t topLeftX, int32_t topLeftY, int32_t bottomRightX,
                        int32_t bottomRightY) {
    CapturePlan plan;
    CapturedBorders& borders = plan.Borders;
    borders.BorderLeft = std::abs(topLeftX);
    borders.BorderTop = std::abs(topLeftY);
    borders.NonClientWidth = std::abs(bottomRightX) + std::abs(topLeftX) - clientWidth;
    borders.NonClientHeight = std::abs(bottomRightY) + std::abs(topLeftY) - clientHeight;
    const int32_t width = clientWidth < 1 ? 640 : clientWidth;
    const int32_t height = clientHeight < 1 ? 480 : clientHeight;
    const int32_t left = borders.BorderLeft + window.Left;
    const int32_t top = borders.BorderTop + window.Top;
    plan.Content = {left, top, left + width, top + height};
    return plan;
}

ScreenRect PlanRelease(const CapturedBorders& borders, int32_t contentLeft, int32_t contentTop,
                       int32_t contentWidth, int32_t contentHeight) {
    const int32_t left = contentLeft - borders.BorderLeft;
    const int32_t top = contentTop - borders.BorderTop;
    return {left, top, left + contentWidth + borders.NonClientWidth,
            top + contentHeight + borders.NonClientHeight};
}

} // namespace glaze
