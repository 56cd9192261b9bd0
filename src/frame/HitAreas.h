#pragma once
// The hit areas over the frame's items, one per item, and where the frame's client area begins:
// they are child windows, placed in client pixels, while the composition places items in frame
// pixels.

#include "frame/HitArea.h"
#include "settings/SkinItemLine.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace glaze {

class HitAreas {
public:
    // Area 0, which stands for the frame image and is never shown or placed, over this frame.
    void Start(HWND frame, HitAreaEvents& events);
    // Item `item` (1 and up) gets its area, made or taken again, shown on top with the item's
    // label and state. False when its window cannot be had.
    bool Prepare(int32_t item, const SkinItemFields& fields);
    // Every area but area 0.
    void DropItems();
    void Clear() { areas_.clear(); }

    // From the frame's outer top-left corner to its client origin, measured now: the frame's
    // non-client border comes and goes (a skin load that sizes the frame while the frame's
    // messages are held back leaves it without one until the next size change).
    void MeasureClientOffset();
    POINT ClientOffset() const { return clientOffset_; }

    size_t Count() const { return areas_.size(); }
    const HitArea& At(int32_t item) const { return *areas_[static_cast<size_t>(item)]; }
    bool IsEnabled(int32_t item) const { return At(item).IsEnabled(); }
    // Where the area lies, in frame pixels; placed there in one move.
    PixelRect Rect(int32_t item) const;
    void Place(int32_t item, const PixelRect& rect);

private:
    HWND frame_ = nullptr;
    HitAreaEvents* events_ = nullptr;
    std::vector<std::unique_ptr<HitArea>> areas_;
    POINT clientOffset_{};
};

} // namespace glaze
