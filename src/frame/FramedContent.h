#pragma once
// What the frame needs of the window it lies around, the content window: where it is, the skins
// it offers, painting it after the frame has changed, its scale, and giving a framed window back.

#include <windows.h>

#include <cstdint>
#include <string>

namespace glaze {

class FramedContent {
public:
    virtual HWND ContentHwnd() const = 0;
    // The skin list's entries.
    virtual int32_t SkinCount() const = 0;
    virtual std::wstring SkinName(int32_t index) const = 0;
    // Shows the skin as chosen, as a choice by the user would.
    virtual void SelectSkinAt(int32_t index) = 0;
    // Gives a framed window back now. True when none is held any more; false when the system
    // refused, and the window stays framed, the frame shown.
    virtual bool GiveBackFramedWindow() = 0;
    virtual void Repaint() = 0;
    // The frame is about to be drawn at another DPI: a panel lays itself out at that scale and
    // takes its size there; a framed window's content window takes whatever the frame leaves.
    virtual void ScaleTo(int32_t dpi) = 0;

protected:
    ~FramedContent() = default;
};

} // namespace glaze
