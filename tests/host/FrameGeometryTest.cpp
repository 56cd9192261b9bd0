#include "frame/FrameGeometry.h"
#include "frame/Snapping.h"
#include "settings/ArgumentText.h"

#include <gtest/gtest.h>

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
    constexpr PixelRect WideAndLow{0, 800, 1920, 600};
    struct Case {
        PixelRect Monitor;
        PixelRect Area;
        bool SizeAloneGivesIt; // otherwise the tracking size has to cut the system's growth
    };
    for (const Case& c : {
             Case{Primary, {0, 0, 1280, 760}, true},
             Case{Primary, Primary, true},
             Case{Larger, Larger, true},
             Case{Larger, {1280, -200, 1920, 1160}, false},
             Case{Larger, {1340, -200, 1860, 1200}, false},
             Case{Larger, {1280, -200, 1000, 1200}, true},
             Case{Smaller, Smaller, true},
             Case{Smaller, {-1024, 40, 1024, 728}, true},
             Case{WideAndLow, {0, 800, 1920, 560}, true},
         }) {
        SCOPED_TRACE(testing::Message()
                     << c.Area.X << "," << c.Area.Y << " " << c.Area.Width << "x" << c.Area.Height);
        const MaximiseLimits limits = MaximiseInSystemTerms(c.Area, c.Monitor, Primary);
        EXPECT_EQ(SystemMaximises(limits, c.Monitor, true), c.Area);
        if (c.SizeAloneGivesIt) {
            EXPECT_EQ(SystemMaximises(limits, c.Monitor, false), c.Area);
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
        return SnapMove(dragged, work, others, distance);
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
