#include "frame/FrameGeometry.h"

#include "platform/Rounding.h"

#include <algorithm>

namespace glaze {
namespace {

int64_t Right(const PixelRect& r) {
    return int64_t{r.X} + r.Width;
}
int64_t Bottom(const PixelRect& r) {
    return int64_t{r.Y} + r.Height;
}
PixelRect FromEdges(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    return {Saturate(left), Saturate(top), Saturate(right - left), Saturate(bottom - top)};
}

// How far to move [low, high) so that it lies in [min, max), as little as possible. When it is
// longer, its high end goes to max (keepHigh) or its low end to min.
int64_t ShiftInto(int64_t low, int64_t high, int64_t min, int64_t max, bool keepHigh) {
    if (high - low > max - min) {
        return keepHigh ? max - high : min - low;
    }
    if (low < min) {
        return min - low;
    }
    if (high > max) {
        return max - high;
    }
    return 0;
}

} // namespace

PixelRect UsableWorkArea(const MonitorArea& monitor) {
    return monitor.Work.Width > 0 && monitor.Work.Height > 0 ? monitor.Work : monitor.Monitor;
}

PixelRect MaximisedArea(const MonitorArea& monitor, const PixelRect& taskbar) {
    const PixelRect& m = monitor.Monitor;
    const PixelRect work = UsableWorkArea(monitor);
    int64_t left = work.X;
    int64_t top = work.Y;
    int64_t right = Right(work);
    int64_t bottom = Bottom(work);
    if (taskbar.Width > 0 && taskbar.Height > 0) {
        // Docked: along a whole edge of this monitor (at least half its length), touching it.
        const bool wide =
            int64_t{taskbar.Width} * 2 >= m.Width && taskbar.X < Right(m) && Right(taskbar) > m.X;
        const bool tall = int64_t{taskbar.Height} * 2 >= m.Height && taskbar.Y < Bottom(m) &&
                          Bottom(taskbar) > m.Y;
        const int64_t middleX = int64_t{m.X} + m.Width / 2;
        const int64_t middleY = int64_t{m.Y} + m.Height / 2;
        if (wide && Bottom(taskbar) >= Bottom(m) && taskbar.Y > middleY) {
            bottom = std::min<int64_t>(bottom, taskbar.Y);
        } else if (wide && taskbar.Y <= m.Y && Bottom(taskbar) < middleY) {
            top = std::max(top, Bottom(taskbar));
        } else if (tall && taskbar.X <= m.X && Right(taskbar) < middleX) {
            left = std::max(left, Right(taskbar));
        } else if (tall && Right(taskbar) >= Right(m) && taskbar.X > middleX) {
            right = std::min<int64_t>(right, taskbar.X);
        }
    }
    if (right <= left || bottom <= top) {
        return work; // a taskbar that leaves nothing cannot be right
    }
    return FromEdges(left, top, right, bottom);
}

MaximiseLimits MaximiseInSystemTerms(const PixelRect& area, const PixelRect& monitor,
                                     const PixelRect& primary) {
    MaximiseLimits limits;
    limits.Maximised = {Saturate(int64_t{area.X} - monitor.X),
                        Saturate(int64_t{area.Y} - monitor.Y), area.Width, area.Height};
    limits.TrackWidth = area.Width;
    limits.TrackHeight = area.Height;
    if (area.Width >= monitor.Width && area.Height >= monitor.Height) {
        // The whole monitor: handed over as the primary monitor's size, plus whatever the area
        // has beyond its monitor, which the system then adds its monitor's difference to.
        limits.Maximised.Width = Saturate(int64_t{area.Width} - monitor.Width + primary.Width);
        limits.Maximised.Height = Saturate(int64_t{area.Height} - monitor.Height + primary.Height);
    }
    // Otherwise the area as it is: the system keeps it unless it covers the primary monitor,
    // and then the tracking size cuts the growth back.
    return limits;
}

OuterSize FrameSizeAround(int32_t contentWidth, int32_t contentHeight, int32_t marginH,
                          int32_t marginV, const PixelRect& monitor) {
    // Borders that cancel out the content (negative ones) leave a frame of no size, not less.
    const auto side = [](int32_t content, int32_t margin, int32_t monitorSide) {
        return Saturate(
            std::clamp<int64_t>(int64_t{content} + margin, 0, std::max<int64_t>(monitorSide, 0)));
    };
    return {side(contentWidth, marginH, monitor.Width),
            side(contentHeight, marginV, monitor.Height)};
}

PixelRect ReachablePlace(const PixelRect& frame, int32_t captionHeight, const PixelRect& buttons,
                         const PixelRect& work) {
    const bool hasButtons = buttons.Width > 0 && buttons.Height > 0;
    // What must be in reach, in screen pixels: the band, and the buttons wherever they lie.
    int64_t left = frame.X;
    int64_t top = frame.Y;
    int64_t right = Right(frame);
    int64_t bottom = int64_t{frame.Y} + std::clamp(captionHeight, 0, std::max(frame.Height, 0));
    if (hasButtons) {
        left = std::min(left, int64_t{frame.X} + buttons.X);
        top = std::min(top, int64_t{frame.Y} + buttons.Y);
        right = std::max(right, int64_t{frame.X} + Right(buttons));
        bottom = std::max(bottom, int64_t{frame.Y} + Bottom(buttons));
    }
    int64_t dx = 0;
    if (right - left > work.Width && hasButtons) {
        dx = ShiftInto(int64_t{frame.X} + buttons.X, int64_t{frame.X} + Right(buttons), work.X,
                       Right(work), true);
    } else {
        dx = ShiftInto(left, right, work.X, Right(work), true);
    }
    const int64_t dy = ShiftInto(top, bottom, work.Y, Bottom(work), false);
    return {Saturate(int64_t{frame.X} + dx), Saturate(int64_t{frame.Y} + dy), frame.Width,
            frame.Height};
}

} // namespace glaze
