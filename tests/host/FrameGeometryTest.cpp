#include "frame/FrameGeometry.h"
#include "frame/Snapping.h"
#include "settings/ArgumentText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

namespace glaze {
namespace {

// A 1280 x 800 primary monitor, and a 1920 x 1080 one left of it, reaching higher.
constexpr PixelRect Primary{0, 0, 1280, 800};
constexpr PixelRect LeftOfPrimary{-1920, -280, 1920, 1080};

MonitorArea Monitor(PixelRect monitor, PixelRect work) {
    return {monitor, work};
}

TEST(MaximisedArea, IsTheWorkAreaOfTheFramesOwnMonitorWhereverItLies) {
    // Taskbars at the bottom, top, left and right leave the work area to the frame.
    EXPECT_EQ(MaximisedArea(Monitor(Primary, {0, 0, 1280, 760}), {0, 760, 1280, 40}),
              (PixelRect{0, 0, 1280, 760}));
    EXPECT_EQ(MaximisedArea(Monitor(Primary, {0, 40, 1280, 760}), {0, 0, 1280, 40}),
              (PixelRect{0, 40, 1280, 760}));
    EXPECT_EQ(
        MaximisedArea(Monitor(LeftOfPrimary, {-1860, -280, 1860, 1080}), {-1920, -280, 60, 1080}),
        (PixelRect{-1860, -280, 1860, 1080}));
    EXPECT_EQ(
        MaximisedArea(Monitor(LeftOfPrimary, {-1920, -280, 1860, 1080}), {-60, -280, 60, 1080}),
        (PixelRect{-1920, -280, 1860, 1080}));
    // No taskbar window, an empty one (as under Wine), one on another monitor: the work area.
    EXPECT_EQ(MaximisedArea(Monitor(Primary, Primary), {}), Primary);
    EXPECT_EQ(MaximisedArea(Monitor(LeftOfPrimary, LeftOfPrimary), {0, 760, 1280, 40}),
              LeftOfPrimary);
}

TEST(MaximisedArea, LeavesAHiddenTaskbarsSliverInReach) {
    EXPECT_EQ(MaximisedArea(Monitor(Primary, Primary), {0, 798, 1280, 2}),
              (PixelRect{0, 0, 1280, 798}));
    EXPECT_EQ(MaximisedArea(Monitor(LeftOfPrimary, LeftOfPrimary), {-1920, -280, 1920, 2}),
              (PixelRect{-1920, -278, 1920, 1078}));
    // A floating bar, or one along no edge, is no taskbar; one covering everything is wrong.
    EXPECT_EQ(MaximisedArea(Monitor(Primary, Primary), {200, 300, 400, 40}), Primary);
    EXPECT_EQ(MaximisedArea(Monitor(Primary, Primary), {0, 0, 1280, 800}), Primary);
    // So is a work area of nothing, on a monitor of any size: the frame stays reachable.
    constexpr PixelRect Huge{0, 0, 32767, 32767};
    EXPECT_EQ(MaximisedArea(Monitor(Primary, {0, 760, 1280, 0}), {0, 760, 1280, 40}),
              (PixelRect{0, 0, 1280, 760}));
    EXPECT_EQ(MaximisedArea(Monitor(Huge, {0, 0, 0, 0}), {}), Huge);
    EXPECT_EQ(ReachablePlace({100, 900, 600, 400}, 34, {472, 11, 108, 18},
                             UsableWorkArea(Monitor(Primary, {0, 800, 1280, 0}))),
              (PixelRect{100, 766, 600, 400}));
}

// What the system makes of a maximised frame's limits on `monitor`, as documented: the place
// from the monitor's corner; a size covering the primary monitor grows by as much as the monitor
// is larger; with `tracked`, the largest tracking size holds it.
PixelRect SystemMaximises(const MaximiseLimits& limits, const PixelRect& monitor, bool tracked) {
    const PixelRect& handed = limits.Maximised;
    const bool covers = handed.Width >= Primary.Width && handed.Height >= Primary.Height;
    int32_t width = handed.Width + (covers ? monitor.Width - Primary.Width : 0);
    int32_t height = handed.Height + (covers ? monitor.Height - Primary.Height : 0);
    if (tracked) {
        width = std::min(width, limits.TrackWidth);
        height = std::min(height, limits.TrackHeight);
    }
    return {monitor.X + handed.X, monitor.Y + handed.Y, width, height};
}

TEST(MaximiseInSystemTerms, GivesEachMonitorsAreaWhereverTheFrameMaximises) {
    constexpr PixelRect Larger{1280, -200, 1920, 1200};
    constexpr PixelRect Smaller{-1024, 0, 1024, 768};
    // Monitor, area, and whether the size alone gives it (else the tracking size must cut).
    for (const auto& [monitor, area, alone] :
         {std::tuple{Primary, PixelRect{0, 0, 1280, 760}, true},
          {Larger, Larger, true},
          {Larger, {1280, -200, 1920, 1160}, false},
          {Smaller, {-1024, 40, 1024, 728}, true}}) {
        SCOPED_TRACE(area.Height);
        const MaximiseLimits limits = MaximiseInSystemTerms(area, monitor, Primary);
        EXPECT_EQ(SystemMaximises(limits, monitor, true), area);
        if (alone) {
            EXPECT_EQ(SystemMaximises(limits, monitor, false), area);
        }
    }
}

TEST(FrameSizeAround, AddsTheBordersUpToTheMonitorsSize) {
    const OuterSize panel = FrameSizeAround(350, 240, 24, 42, Primary);
    EXPECT_EQ(panel.Width, 374);
    EXPECT_EQ(panel.Height, 282);
    const OuterSize large = FrameSizeAround(1270, 790, 24, 42, Primary);
    EXPECT_EQ(large.Width, 1280);
    EXPECT_EQ(large.Height, 800);
    EXPECT_EQ(FrameSizeAround(1900, 1000, 24, 42, LeftOfPrimary).Width, 1920);
    // Borders of any size: never more than the monitor, never less than nothing.
    const OuterSize huge = FrameSizeAround(2147483647, 100, 65534, -2147483647, Primary);
    EXPECT_EQ(huge.Width, 1280);
    EXPECT_EQ(huge.Height, 0);
}

TEST(ReachablePlace, MovesAFrameJustEnoughToBringItsCaptionAndButtonsIn) {
    const PixelRect work{0, 0, 1280, 760};
    const PixelRect buttons{1128, 11, 108, 18}; // Aurora's, in a 1280-wide frame
    // In reach already: it stays.
    EXPECT_EQ(ReachablePlace({100, 100, 600, 400}, 34, {472, 11, 108, 18}, work),
              (PixelRect{100, 100, 600, 400}));
    // A maximised program's old place: a little off the top left.
    EXPECT_EQ(ReachablePlace({-20, -21, 1280, 800}, 40, buttons, work),
              (PixelRect{0, 0, 1280, 800}));
    // Off the right and bottom: the band comes up, the rest may stay below.
    EXPECT_EQ(ReachablePlace({900, 740, 600, 400}, 34, {472, 11, 108, 18}, work),
              (PixelRect{680, 726, 600, 400}));
    // Wider than the work area: the buttons win.
    EXPECT_EQ(ReachablePlace({100, 50, 1400, 400}, 34, {1280, 11, 108, 18}, work),
              (PixelRect{-108, 50, 1400, 400}));
    // On a monitor left of the primary one.
    EXPECT_EQ(ReachablePlace({-2000, -300, 800, 600}, 34, {672, 11, 108, 18}, LeftOfPrimary),
              (PixelRect{-1920, -280, 800, 600}));
}

TEST(SnapMove, DrawsTheFramesEdgesToTheWorkAreaAndToItsNeighboursOuterEdges) {
    const PixelRect work{0, 0, 1280, 760};
    const PixelRect neighbour{600, 100, 300, 400};
    const PixelRect others[] = {neighbour};
    const auto snap = [&](PixelRect dragged, int32_t distance = SnapDistance) {
        return SnapMove(dragged, {}, work, others, distance);
    };
    EXPECT_EQ(snap({8, 300, 400, 300}), (PixelRect{0, 300, 400, 300}));     // left edge
    EXPECT_EQ(snap({875, 455, 400, 300}), (PixelRect{880, 460, 400, 300})); // bottom right
    EXPECT_EQ(snap({195, 200, 400, 300}), (PixelRect{200, 200, 400, 300})); // beside it
    EXPECT_EQ(snap({300, 497, 200, 100}), (PixelRect{300, 497, 200, 100})); // not beside it
    EXPECT_EQ(snap({400, 489, 300, 100}), (PixelRect{400, 500, 300, 100})); // below it
    EXPECT_EQ(snap({196, 200, 400, 300}).X, 200);                           // the nearest edge wins
    // Out of reach at 96 DPI, in reach at 1.5 times.
    EXPECT_EQ(snap({13, 300, 400, 300}).X, 13);
    EXPECT_EQ(snap({13, 300, 400, 300}, SnapDistance * 3 / 2).X, 0);
    // A window far above or below does not draw the frame sideways.
    EXPECT_EQ(snap({195, 600, 400, 100}).X, 195);
    // A frame with a shadow 7 pixels wide (8 below) snaps by the edges inside it.
    const PixelInsets shadow{7, 7, 7, 8};
    EXPECT_EQ(SnapMove({-3, 300, 400, 300}, shadow, work, others, SnapDistance),
              (PixelRect{-7, 300, 400, 300}));
    EXPECT_EQ(SnapMove({198, 468, 400, 300}, shadow, work, others, SnapDistance),
              (PixelRect{207, 468, 400, 300}));
    // One that would leave nothing of the frame is none.
    EXPECT_EQ(SnapMove({8, 300, 10, 10}, {5, 0, 5, 0}, work, others, SnapDistance).X, 0);
}

TEST(TransparentMargin, IsTheShadowOutsideTheFirstLineAlmostAsOpaqueAsTheBorder) {
    // A 20 x 16 frame image with borders of 6 and glass of alpha 200: from the left a shadow of
    // 20, 60, 150 before an outline of 230; from the right 40, 150; from below 0, 100, 140;
    // above, one pixel of the glass on the outermost row; a corner, read nowhere, opaque.
    const auto alpha = [](int32_t x, int32_t y) -> uint32_t {
        constexpr uint32_t Left[] = {20, 60, 150, 230}, Right[] = {40, 150, 230},
                           Below[] = {0, 100, 140};
        return x == 0 && y == 15  ? 255
               : x < 4            ? Left[x]
               : x > 16           ? Right[19 - x]
               : y > 12           ? Below[15 - y]
               : y == 0 && x != 9 ? 0
                                  : 200;
    };
    std::vector<uint32_t> pixels;
    for (int32_t i = 0; i < 20 * 16; ++i) {
        pixels.push_back(alpha(i % 20, i / 20) << 24);
    }
    EXPECT_EQ(TransparentMargin(pixels, 20, 16, {6, 6, 6, 6}), (PixelInsets{3, 0, 2, 3}));
    // No borders, no image, a border that is all transparent: no margin.
    EXPECT_EQ(TransparentMargin(pixels, 20, 16, {}), PixelInsets{});
    EXPECT_EQ(TransparentMargin({}, 0, 0, {6, 6, 6, 6}), PixelInsets{});
    EXPECT_EQ(TransparentMargin(std::vector<uint32_t>(20 * 16), 20, 16, {6, 6, 6, 6}),
              PixelInsets{});
}

TEST(IsWindowToSnapTo, CountsOnlyTheWindowsAUserSees) {
    const auto snapsTo = [](void (*change)(WindowLook&)) {
        WindowLook look;
        look.ClassName = "Notepad";
        look.OnScreen = true;
        look.Seen = {100, 100, 300, 200};
        change(look);
        return IsWindowToSnapTo(look);
    };
    EXPECT_TRUE(snapsTo([](WindowLook&) {}));
    EXPECT_TRUE(snapsTo([](WindowLook& w) {
        w.Layered = true;
        w.Opacity = 128;
    }));
    EXPECT_TRUE(snapsTo([](WindowLook& w) { w.ToolWindow = w.AppWindow = true; }));
    EXPECT_FALSE(snapsTo([](WindowLook& w) { w.ToolWindow = true; }));
    EXPECT_FALSE(snapsTo([](WindowLook& w) { w.Layered = w.MouseThrough = true; })); // a shadow
    EXPECT_FALSE(snapsTo([](WindowLook& w) {
        w.Layered = true;
        w.Opacity = 0;
    }));
    EXPECT_FALSE(snapsTo([](WindowLook& w) { w.ClassName = "Shell_SecondaryTrayWnd"; }));
    EXPECT_FALSE(snapsTo([](WindowLook& w) { w.OnScreen = false; })); // hidden, cloaked
}

TEST(ArgumentText, IsEverythingAfterTheProgramNameAndItsBlanks) {
    EXPECT_EQ(ArgumentTextOf(L"glaze.exe"), L"");
    EXPECT_EQ(ArgumentTextOf(L"C:\\glaze\\glaze.exe 记事本/A"), L"记事本/A");
    EXPECT_EQ(ArgumentTextOf(L"\"C:\\Program Files\\glaze.exe\"  记事本 /B/q"), L"记事本 /B/q");
    EXPECT_EQ(ArgumentTextOf(L"\"C:\\a b\\glaze.exe\""), L"");
    EXPECT_EQ(ArgumentTextOf(L"glaze.exe a  b /C "), L"a  b /C ");
}

} // namespace
} // namespace glaze
