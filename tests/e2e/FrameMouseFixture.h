#pragma once
// A glaze process under the tests' mouse: its windows, the places of the bundled skins' items
// on the screen, and what its frame shows there.

#include "MouseSupport.h"
#include "PanelWindows.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

namespace glaze::e2e {

// An item of a bundled skin as its description places it: a negative x or y counts from the
// frame's right or bottom edge.
struct SkinItem {
    const wchar_t* Skin;
    const wchar_t* Image;
    int X, Y, Width, Height;
};
inline constexpr SkinItem AuroraNext{L"Aurora", L"next.png", -128, 11, 26, 18};
inline constexpr SkinItem AuroraMin{L"Aurora", L"min.png", -100, 11, 26, 18};
inline constexpr SkinItem AuroraMax{L"Aurora", L"max.png", -72, 11, 26, 18};
inline constexpr SkinItem AuroraClose{L"Aurora", L"close.png", -44, 11, 26, 18};
inline constexpr SkinItem GraphiteEmblem{L"Graphite", L"emblem.png", 15, 11, 16, 16};
inline constexpr SkinItem GraphiteClose{L"Graphite", L"close.png", -41, 10, 24, 18};
inline constexpr SkinItem JadeNext{L"Jade", L"next.png", -109, 10, 22, 20};

// A skin's borders around the content window.
struct SkinMargins {
    int Left, Top, H, V;
};
inline constexpr SkinMargins AuroraMargins{14, 34, 28, 48};
// The shadow around Aurora's frame, outside the edges the user sees.
inline constexpr int AuroraShadow = 7;
inline constexpr SkinMargins GraphiteMargins{13, 32, 26, 45};

enum ItemCell { NormalCell = 0, HoverCell = 1, PressedCell = 2, DisabledCell = 3 };

inline POINT CentreOf(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
inline POINT Offset(POINT at, int dx, int dy) {
    return {at.x + dx, at.y + dy};
}

class FrameMouse : public ::testing::Test {
protected:
    // Nothing of the frame lies under the pointer when it appears.
    void SetUp() override {
        PointerTo({GetSystemMetrics(SM_CXSCREEN) - 10, GetSystemMetrics(SM_CYSCREEN) - 10});
    }

    // Starts the control panel and waits until its frame shows `item` in its normal cell.
    void StartPanel(const SkinItem& item = AuroraClose);
    // Starts a frame process around the test's target window (a glaze_target with these
    // options) with the skin of `letter`, moves the frame to (200, 150) and waits until it shows
    // `item`.
    void StartFrame(const wchar_t* letter = L"A", const SkinItem& item = AuroraClose,
                    const std::wstring& targetOptions = L"");

    HWND Frame() const { return windows_.Frame; }
    const TargetProgram& Target() const { return *target_; }
    HWND Content() const { return windows_.Content; }
    Process& Glaze() { return *glaze_; }
    RECT FrameRect() const;
    bool FrameAt(const RECT& rect) const;
    RECT ContentRect() const;
    // The content window lies exactly on the frame's interior.
    bool ContentOnInterior(const SkinMargins& margins) const;
    int SkinSelection() const;

    RECT ItemOnScreen(const SkinItem& item) const;
    POINT ItemCentre(const SkinItem& item) const { return CentreOf(ItemOnScreen(item)); }
    bool Shows(const SkinItem& item, int cell) const;
    bool WaitShows(const SkinItem& item, int cell) const;
    // Hovers `item` and waits for its hover cell: the frame has handled all input before.
    bool HandledInputBefore(const SkinItem& item);

    // The system menu of the glaze process, when one is open.
    HWND OpenMenu() const;
    // A left press that starts the system's move or size loop on the frame, moves through the
    // points, and the release at the last.
    void LoopDrag(POINT from, std::initializer_list<POINT> through);
    // Points on the frame's border where the system sizes it.
    POINT RightEdge() const;
    POINT BottomRightCorner() const;

    AppDir app;

private:
    std::unique_ptr<TargetProgram> target_;
    std::unique_ptr<Process> glaze_;
    GlazeWindows windows_;

protected:
    // Last, so that a failure's picture is taken while the processes still run.
    ScreenshotOnFailure screenshot;
};

} // namespace glaze::e2e
