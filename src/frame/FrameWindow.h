#pragma once
// The frame window: a captionless per-pixel-alpha layered window that shows the composed skin
// around the content window. It is the start-up form: its on-load starts the process and its
// unload ends it.

#include "frame/DragSnapping.h"
#include "frame/FrameCanvas.h"
#include "frame/FrameGeometry.h"
#include "frame/FrameSkin.h"
#include "frame/FrameSurface.h"
#include "frame/FramedContent.h"
#include "frame/HitAreas.h"
#include "frame/SkinModel.h"
#include "platform/Forms.h"
#include "platform/GdiPlus.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace glaze {

class FrameWindow : public Form, private HitAreaEvents {
public:
    // startUp runs in the on-load, once the frame's window exists.
    explicit FrameWindow(std::function<void(FrameWindow&)> startUp);
    ~FrameWindow() override;

    // The window the frame lies around; the content window tells it once, when it is made.
    void SetContent(FramedContent& content) { content_ = &content; }
    // Where the commands of the process's own system-menu entries go; true when one was run.
    void SetMenuCommands(std::function<bool(UINT_PTR)> run) { menuCommands_ = std::move(run); }
    // How opaque the whole frame is, 255 for not at all see-through; kept across skin loads.
    void SetOpacity(BYTE alpha);

    // Loads the skin at StyleIndex, places the frame around the content window and draws it, at
    // the DPI of the monitor the frame is on (the content window's at the first load).
    void ReloadSkin();
    // The size-change handler: hands over to the re-style receiver while a frame process is
    // minimised, otherwise composes the frame and shows it.
    void Compose();
    // Moves the frame as little as needed to bring its caption band and buttons into the work
    // area of its monitor; true when it moved.
    bool BringIntoReach();
    // Maximises the frame on its monitor; restored, it lies around this content rectangle
    // (screen pixels), within reach.
    void MaximiseAround(const RECT& normalContent);
    // The framed program chose its own size: the content window takes it and the frame lies
    // around it, keeping its top-left corner where it can, within reach.
    void FitAroundContent(int32_t width, int32_t height);
    // While the framed program has its whole monitor the frame shows nothing (the content window
    // covers the monitor and the frame keeps its place, its button and its Alt+Tab entry).
    void StandAside(bool aside);
    // The framed program's icons, shown by the taskbar and Alt+Tab; the program owns them.
    void SetIcons(HICON big, HICON small);

    // The loaded skin, the canvas it is composed into, and the hit areas over its items.
    const SkinModel& Skin() const { return skin_.Model(); }
    const FrameSurface& Surface() const { return surface_; }
    const HitAreas& Areas() const { return hitAreas_; }

    // GDI+ for the process, from the start-up until the frame's unload; false when it could not
    // start.
    bool StartGdiPlus();

protected:
    WindowStyle DesignStyle() const override;
    void OnLoad() override;
    bool OnQueryUnload() override;
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

    // Loads the skin at the DPI; with a rectangle (a move to a monitor of another DPI) the
    // content window is scaled first and the frame takes the rectangle, the content window on
    // its interior, otherwise the frame goes around the content window. A DPI or display change
    // that comes during the load is followed after it.
    void LoadSkinAt(int32_t dpi, const std::optional<RECT>& frameRect = std::nullopt);
    // The body of LoadSkinAt; names the skin it takes as soon as it knows it.
    void LoadSkinAroundContent(std::wstring& skinName, int32_t dpi,
                               const std::optional<RECT>& frameRect);
    // The frame now lies on a monitor of this DPI: the system suggests the rectangle for it.
    void OnDpiChanged(int32_t dpi, const RECT& suggested);
    // What changed on the desk under the frame: the monitors (their number, sizes and places)
    // or only the work areas.
    enum class DeskChange { None, WorkArea, Display };
    // A maximised frame fills its monitor's work area as it is now, a frame left out of reach
    // comes back into reach, and after a display change the canvas fits the monitors and the
    // frame is drawn whole once.
    void FollowDesk(DeskChange change);
    // What came during the load that just ended: the last DPI change, then a change of the desk.
    void FollowChangesDuringLoad();
    void MoveContentOnto(const RECT& frameRect);
    void ReleaseSkin();
    // The extra hit areas, the skin's images and the canvas.
    void DropSkinObjects();
    bool LoadSkin(int32_t dpi);
    // The frame around the content window with the skin's borders, restored first unless told
    // otherwise; its size.
    OuterSize PlaceAroundContent(bool restoreFirst);
    // The frame takes the rectangle exactly as given: the size limits of the monitor it leaves
    // do not cut it.
    void TakePlaceAsGiven(const RECT& frameRect);
    // The frame's size limits at the DPI; the panel's frame keeps `size`.
    void SetSizeLimits(int32_t dpi, OuterSize size);
    // The whole frame into the canvas, hit areas placed.
    void DrawWhole();
    // Hands the canvas to the layered window, only the changed rectangle when there is one; an
    // update the system refuses is made once more, whole, from a new canvas.
    void ShowCanvas(const std::optional<PixelRect>& changed = std::nullopt);
    BYTE ShownOpacity() const { return standingAside_ ? BYTE{0} : opacity_; }
    void FailSkinLoad(const std::wstring& message);
    bool DrawCell(int32_t item, int32_t cell);
    void RunItemAction(int32_t action);
    void ToggleMaximised();

    // Where the composition places hit areas and asks whether they are enabled; made once so
    // that a composition allocates nothing.
    HitAreaCallbacks hitAreaCallbacks_;
    std::function<void(FrameWindow&)> startUp_;
    FramedContent* content_ = nullptr;
    std::optional<GdiPlusSession> gdiPlus_; // made before the skin's images, gone after them
    FrameSkin skin_;
    FrameSurface surface_;
    // Over the items; area 0 exists from the start, hidden, and is never placed.
    HitAreas hitAreas_;
    // The rectangle of the item last placed or last under the pointer, in frame pixels.
    PixelRect lastItem_;
    std::function<bool(UINT_PTR)> menuCommands_;
    BYTE opacity_ = 255;
    bool standingAside_ = false;
    DragSnapping snapping_;
    int32_t pressedItem_ = 0;     // the hit area the left button went down on, 0 for none
    bool loading_ = false;        // a skin load is under way
    bool closeAfterLoad_ = false; // a close came during the load
    bool endingSession_ = false;  // the session ends: nothing may wait for the user
    // A move to a monitor of another DPI, and a change of the desk, that came during the load.
    struct DpiChange {
        int32_t Dpi = 0;
        RECT Suggested{};
    };
    std::optional<DpiChange> dpiAfterLoad_;
    DeskChange deskAfterLoad_ = DeskChange::None;
    // The cell each item shows on the canvas: the composition leaves every item in its
    // normal (or disabled) cell, counted as normal here; the mouse changes them.
    std::vector<int32_t> shownCell_;
};

} // namespace glaze
