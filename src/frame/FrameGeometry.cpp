#include "frame/FrameGeometry.h"

#include <algorithm>

namespace glaze {

int32_t MaximisedFrameHeight(const ScreenFacts& screen) {
    const PixelRect& bar = screen.Taskbar;
    const bool dockedAtBottom = bar.Width > 0 && bar.Height > 0 && bar.Y > screen.Height / 2 &&
                                bar.Y + bar.Height >= screen.Height &&
                                bar.Width >= screen.Width / 2;
    return dockedAtBottom ? bar.Y : screen.WorkAreaBottom;
}

OuterSize FrameSizeAround(int32_t contentWidth, int32_t contentHeight, int32_t marginH,
                          int32_t marginV, const ScreenFacts& screen) {
    return {std::min(contentWidth + marginH, screen.Width),
            std::min(contentHeight + marginV, screen.Height)};
}

} // namespace glaze
