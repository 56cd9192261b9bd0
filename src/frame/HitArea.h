#pragma once
// The invisible child window over one skin item of the frame. It paints nothing (the item is
// seen only in the frame's layered image) and reports the mouse on it to its owner.

#include "frame/ComposePlan.h"
#include "platform/Forms.h"

#include <windows.h>

#include <string>

namespace glaze {

class HitAreaEvents {
public:
    virtual void OnHitAreaMouseMove(int32_t item, const MouseEvent& event) = 0;
    virtual void OnHitAreaMouseDown(int32_t item, const MouseEvent& event) = 0;
    virtual void OnHitAreaMouseUp(int32_t item, const MouseEvent& event) = 0;

protected:
    ~HitAreaEvents() = default;
};

class HitArea {
public:
    HitArea(HWND parent, int32_t item, HitAreaEvents& events);
    ~HitArea();
    HitArea(const HitArea&) = delete;
    HitArea& operator=(const HitArea&) = delete;

    HWND Hwnd() const { return hwnd_; }
    std::wstring Tag; // the item's label
    void SetVisible(bool visible);
    void SetEnabled(bool enabled);
    bool IsEnabled() const;
    void BringToFront();
    void MoveTo(const PixelRect& client); // in the parent's client pixels, one move
    PixelRect Rect() const;               // in the parent's client pixels

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
    int32_t item_;
    HitAreaEvents& events_;
};

} // namespace glaze
