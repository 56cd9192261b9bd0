#include "frame/Snapping.h"

#include "platform/Rounding.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace glaze {
namespace {

// The frame's edges along one axis and the ranges it covers along the other.
struct Axis {
    int64_t Low = 0;
    int64_t High = 0;
};

Axis Across(const PixelRect& r) {
    return {r.X, int64_t{r.X} + r.Width};
}
Axis Down(const PixelRect& r) {
    return {r.Y, int64_t{r.Y} + r.Height};
}

// The nearest move along one axis that puts an edge of the frame on an edge offered, within
// the distance.
class NearestMove {
public:
    explicit NearestMove(int64_t distance) : distance_(distance) {}
    void Offer(int64_t edge, int64_t to) {
        const int64_t move = to - edge;
        if (std::llabs(move) <= distance_ && (!found_ || std::llabs(move) < std::llabs(best_))) {
            best_ = move;
            found_ = true;
        }
    }
    int64_t Move() const { return best_; }

private:
    int64_t distance_;
    int64_t best_ = 0;
    bool found_ = false;
};

bool Overlap(const Axis& a, const Axis& b, int64_t slack) {
    return a.Low < b.High + slack && b.Low < a.High + slack;
}

// One axis: `frame` and the others along it, `side` and `sideOf` along the other axis.
int64_t SnapAxis(const Axis& frame, const Axis& work, const Axis& side,
                 std::span<const PixelRect> others, Axis (*along)(const PixelRect&),
                 Axis (*sideOf)(const PixelRect&), int64_t distance) {
    NearestMove nearest(distance);
    nearest.Offer(frame.Low, work.Low);
    nearest.Offer(frame.High, work.High);
    for (const PixelRect& other : others) {
        if (other.Width <= 0 || other.Height <= 0 || !Overlap(side, sideOf(other), distance)) {
            continue;
        }
        const Axis edges = along(other);
        nearest.Offer(frame.Low, edges.High);
        nearest.Offer(frame.High, edges.Low);
    }
    return nearest.Move();
}

} // namespace

PixelRect SnapMove(const PixelRect& proposed, const PixelInsets& margin, const PixelRect& work,
                   std::span<const PixelRect> others, int32_t distance) {
    // A margin that leaves nothing of the frame is no margin.
    const int64_t marginH = int64_t{margin.Left} + margin.Right;
    const int64_t marginV = int64_t{margin.Top} + margin.Bottom;
    const bool fits = margin.Left >= 0 && margin.Top >= 0 && margin.Right >= 0 &&
                      margin.Bottom >= 0 && marginH < proposed.Width && marginV < proposed.Height;
    const PixelRect seen =
        fits ? PixelRect{Saturate(int64_t{proposed.X} + margin.Left),
                         Saturate(int64_t{proposed.Y} + margin.Top),
                         Saturate(proposed.Width - marginH), Saturate(proposed.Height - marginV)}
             : proposed;
    const int64_t dx =
        SnapAxis(Across(seen), Across(work), Down(seen), others, Across, Down, distance);
    const int64_t dy =
        SnapAxis(Down(seen), Down(work), Across(seen), others, Down, Across, distance);
    return {Saturate(proposed.X + dx), Saturate(proposed.Y + dy), proposed.Width, proposed.Height};
}

PixelInsets TransparentMargin(std::span<const uint32_t> pixels, int32_t width, int32_t height,
                              const PixelInsets& borders) {
    if (width <= 0 || height <= 0 ||
        pixels.size() < static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return {};
    }
    const auto alpha = [&](int32_t x, int32_t y) {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) +
                      static_cast<size_t>(x)] >>
               24;
    };
    // Along a side: its edge piece between the two corners, or all of it where they meet.
    struct Span {
        int32_t From = 0;
        int32_t To = 0;
    };
    const auto along = [](int32_t nearCorner, int32_t farCorner, int32_t size) {
        const int64_t from = std::clamp<int64_t>(nearCorner, 0, size);
        const int64_t to = std::clamp<int64_t>(int64_t{size} - farCorner, 0, size);
        return from < to ? Span{static_cast<int32_t>(from), static_cast<int32_t>(to)}
                         : Span{0, size};
    };
    // lineAlpha(line, at): line 0 is the outermost of the border.
    const auto margin = [](int32_t border, int32_t size, Span span, auto lineAlpha) {
        std::vector<uint32_t> peaks(static_cast<size_t>(std::clamp(border, 0, size)), 0);
        for (size_t line = 0; line < peaks.size(); ++line) {
            for (int32_t at = span.From; at < span.To; ++at) {
                peaks[line] = std::max(peaks[line], lineAlpha(static_cast<int32_t>(line), at));
            }
        }
        const uint32_t most = peaks.empty() ? 0 : *std::max_element(peaks.begin(), peaks.end());
        for (size_t line = 0; line < peaks.size(); ++line) {
            if (most > 0 && peaks[line] * 4 >= most * 3) {
                return static_cast<int32_t>(line);
            }
        }
        return 0;
    };
    const Span rows = along(borders.Top, borders.Bottom, height);
    const Span columns = along(borders.Left, borders.Right, width);
    return {
        margin(borders.Left, width, rows, [&](int32_t line, int32_t y) { return alpha(line, y); }),
        margin(borders.Top, height, columns,
               [&](int32_t line, int32_t x) { return alpha(x, line); }),
        margin(borders.Right, width, rows,
               [&](int32_t line, int32_t y) { return alpha(width - 1 - line, y); }),
        margin(borders.Bottom, height, columns,
               [&](int32_t line, int32_t x) { return alpha(x, height - 1 - line); })};
}

bool IsWindowToSnapTo(const WindowLook& look) {
    const std::string_view kind = look.ClassName;
    if (kind == "Progman" || kind == "WorkerW" || kind == "Shell_TrayWnd" ||
        kind == "Shell_SecondaryTrayWnd") {
        return false;
    }
    if (look.ToolWindow && !look.AppWindow) {
        return false;
    }
    if (look.Layered && (look.MouseThrough || look.Opacity == uint8_t{0})) {
        return false;
    }
    return look.OnScreen && look.Seen.Width > 0 && look.Seen.Height > 0;
}

} // namespace glaze
