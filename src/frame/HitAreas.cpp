#include "frame/HitAreas.h"

namespace glaze {

void HitAreas::Start(HWND frame, HitAreaEvents& events) {
    frame_ = frame;
    events_ = &events;
    areas_.clear();
    areas_.push_back(std::make_unique<HitArea>(frame, 0, events));
}

bool HitAreas::Prepare(int32_t item, const SkinItemFields& fields) {
    const auto index = static_cast<size_t>(item);
    if (areas_.size() <= index) {
        areas_.resize(index + 1);
    }
    if (!areas_[index]) {
        areas_[index] = std::make_unique<HitArea>(frame_, item, *events_);
    }
    HitArea& area = *areas_[index];
    if (area.Hwnd() == nullptr) {
        return false;
    }
    area.Tag = fields.Label;
    area.SetVisible(true);
    area.BringToFront();
    area.SetEnabled(fields.Disabled != 1);
    return true;
}

void HitAreas::DropItems() {
    while (areas_.size() > 1) { // the first is never shown and stays
        areas_.pop_back();
    }
}

void HitAreas::MeasureClientOffset() {
    POINT origin{0, 0};
    ClientToScreen(frame_, &origin);
    RECT outer{};
    GetWindowRect(frame_, &outer);
    clientOffset_ = {origin.x - outer.left, origin.y - outer.top};
}

PixelRect HitAreas::Rect(int32_t item) const {
    const PixelRect client = At(item).Rect();
    return {client.X + clientOffset_.x, client.Y + clientOffset_.y, client.Width, client.Height};
}

void HitAreas::Place(int32_t item, const PixelRect& rect) {
    areas_[static_cast<size_t>(item)]->MoveTo(
        {rect.X - clientOffset_.x, rect.Y - clientOffset_.y, rect.Width, rect.Height});
}

} // namespace glaze
