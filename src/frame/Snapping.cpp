#include "frame/Snapping.h"

#include "platform/Rounding.h"

#include <cstdlib>

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

PixelRect SnapMove(const PixelRect& proposed, const PixelRect& work,
                   std::span<const PixelRect> others, int32_t distance) {
    const int64_t dx =
        SnapAxis(Across(proposed), Across(work), Down(proposed), others, Across, Down, distance);
    const int64_t dy =
        SnapAxis(Down(proposed), Down(work), Across(proposed), others, Down, Across, distance);
    return {Saturate(proposed.X + dx), Saturate(proposed.Y + dy), proposed.Width, proposed.Height};
}

} // namespace glaze
