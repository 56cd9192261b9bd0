#pragma once
// The frame window: a captionless per-pixel-alpha layered window that shows the composed skin
// around the content window. It is the start-up form: its on-load starts the process and its
// unload ends it.

#include "frame/FrameCanvas.h"
#include "frame/HitArea.h"
#include "frame/SkinModel.h"
#include "platform/Forms.h"
#include "platform/Scoped.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace glaze {

class Form1 : public Form, private HitAreaEvents {
public:
    Form1();
    ~Form1() override;

    // Loads the skin at StyleIndex, places the frame around the content window and draws it.
    void ReTrans();
    // The size-change handler: hands over to the re-style receiver while a frame process is
    // minimised, otherwise composes the frame and shows it.
    void Compose();

    // The loaded skin.
    SkinModel Skin;
    SkinImages Images;
    BITMAPINFO ScreenBitmapInfo{};
    ScopedMemoryDc FrameDC;
    BLENDFUNCTION FrameBlend{};
    POINT FrameOrigin{};
    SIZE FrameSize{};
    // Hit areas over the items; member 0 exists from the start, hidden, and is never placed.
    std::vector<std::unique_ptr<HitArea>> PicContl;
    // The rectangle of the item last placed or last under the pointer, in frame pixels.
    int32_t DrawX = 0;
    int32_t DrawY = 0;
    int32_t DrawWidth = 0;
    int32_t DrawHeight = 0;

    // Layered-window updates shown since the frame was made: the canvas reaches the screen only
    // when what it shows has changed.
    int64_t LayeredUpdates = 0;

    ULONG_PTR GdipToken = 0;
    RECT TrayRect{};
    int32_t ClientOffsetX = 0; // outer top-left corner to client origin
    int32_t ClientOffsetY = 0;

protected:
    WindowStyle DesignStyle() const override;
    void OnLoad() override;
    void OnUnload() override;
    void OnResize() override;
    void OnMouseDown(const MouseEvent& event) override;
    void OnMouseUp(const MouseEvent& event) override;
    void OnDoubleClick() override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnHitAreaMouseMove(int32_t item, const MouseEvent& event) override;
    void OnHitAreaMouseDown(int32_t item, const MouseEvent& event) override;
    void OnHitAreaMouseUp(int32_t item, const MouseEvent& event) override;

    // The body of ReTrans; names the skin it takes as soon as it knows it.
    void LoadSkinAroundContent(std::wstring& skinName);
    void ReleaseSkin();
    bool LoadSkin();
    void PlaceAroundContent();
    void ShowCanvas();
    void ShowCanvasPart(const PixelRect& changed);
    void FailSkinLoad(const std::wstring& message);
    bool DrawCell(int32_t item, int32_t cell);
    bool HasButtonCells(int32_t item) const;
    void RunItemAction(int32_t action);
    void ToggleMaximised();

    // Where the composition places hit areas and asks whether they are enabled; made once so
    // that a composition allocates nothing.
    HitAreaCallbacks hitAreaCallbacks_;
    int32_t pressedItem_ = 0; // the hit area the left button went down on, 0 for none
    // The cell each item shows on the canvas: the composition leaves every item in its
    // normal (or disabled) cell, counted as normal here; the mouse changes them.
    std::vector<int32_t> shownCell_;
};

} // namespace glaze
