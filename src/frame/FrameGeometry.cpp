#include "frame/FrameGeometry.h"

#include "platform/Rounding.h"

#include <algorithm>

namespace glaze {

int32_t MaximisedFrameHeight(const ScreenFacts& screen) {
    const PixelRect& bar = screen.Taskbar;
    const bool dockedAtBottom = bar.Width > 0 && bar.Height > 0 && bar.Y > screen.Height / 2 &&
                                int64_t{bar.Y} + bar.Height >= screen.Height &&
                                bar.Width >= screen.Width / 2;
    return dockedAtBottom ? bar.Y : screen.WorkAreaBottom;
}

OuterSize FrameSizeAround(int32_t contentWidth, int32_t contentHeight, int32_t marginH,
                          int32_t marginV, const ScreenFacts& screen) {
    // Borders that cancel out the content (negative ones) leave a frame of no size, not less.
    const auto side = [](int32_t content, int32_t margin, int32_t screenSide) {
        return Saturate(
            std::clamp<int64_t>(int64_t{content} + margin, 0, std::max<int64_t>(screenSide, 0)));
    };
    return {side(contentWidth, marginH, screen.Width), side(contentHeight, marginV, screen.Height)};
}

} // namespace glaze
