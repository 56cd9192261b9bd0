#include "hosting/CaptureGeometry.h"

#include <gtest/gtest.h>

namespace glaze {
namespace {

// A window at (100, 80)-(740, 560) whose client area begins 4 pixels inside its left, right
// and bottom edges and 26 pixels below its top edge: 632 x 450 at (104, 106).
CapturePlan CaptureTheExampleWindow(int32_t clientWidth = 632, int32_t clientHeight = 450) {
    return PlanCapture({100, 80, 740, 560}, clientWidth, clientHeight, -4, -26, 636, 454);
}

TEST(CaptureGeometry, TheContentWindowCoversTheClientAreaExactly) {
    const CapturePlan plan = CaptureTheExampleWindow();
    EXPECT_EQ(plan.Borders.BorderLeft, 4);
    EXPECT_EQ(plan.Borders.BorderTop, 26);
    EXPECT_EQ(plan.Borders.NonClientWidth, 8);
    EXPECT_EQ(plan.Borders.NonClientHeight, 30);
    EXPECT_EQ(plan.Content.Left, 104);
    EXPECT_EQ(plan.Content.Top, 106);
    EXPECT_EQ(plan.Content.Right - plan.Content.Left, 632);
    EXPECT_EQ(plan.Content.Bottom - plan.Content.Top, 450);
}

TEST(CaptureGeometry, AWindowWithoutAClientAreaGetsADefaultSizeButItsRealBorders) {
    const CapturePlan plan = PlanCapture({100, 80, 260, 104}, 0, 0, -4, -26, 156, -2);
    EXPECT_EQ(plan.Content.Right - plan.Content.Left, 640);
    EXPECT_EQ(plan.Content.Bottom - plan.Content.Top, 480);
    EXPECT_EQ(plan.Borders.NonClientWidth, 160);
    EXPECT_EQ(plan.Borders.NonClientHeight, 28);
}

TEST(CaptureGeometry, TheWindowComesBackAroundWhereTheContentWindowIsNow) {
    const CapturePlan plan = CaptureTheExampleWindow();
    const ScreenRect back = PlanRelease(plan.Borders, 300, 200, 800, 500);
    EXPECT_EQ(back.Left, 296);
    EXPECT_EQ(back.Top, 174);
    EXPECT_EQ(back.Right - back.Left, 808);
    EXPECT_EQ(back.Bottom - back.Top, 530);
    // Given back without having moved: exactly where it was taken from.
    const ScreenRect same = PlanRelease(plan.Borders, 104, 106, 632, 450);
    EXPECT_EQ(same.Left, 100);
    EXPECT_EQ(same.Top, 80);
    EXPECT_EQ(same.Right, 740);
    EXPECT_EQ(same.Bottom, 560);
}

TEST(CaptureGeometry, AFrameMovedIntoReachAndLeftThereGivesTheWindowBackWhereItWasTaken) {
    const CapturePlan plan = CaptureTheExampleWindow();
    const ScreenRect inReach{154, 126, 786, 576}; // the content after its frame came into reach
    const ScreenRect back = PlanRelease(plan.Borders, 154, 126, 632, 450, inReach);
    EXPECT_EQ(back, (ScreenRect{100, 80, 740, 560}));
    // Moved by the user since: where the content window is.
    EXPECT_EQ(PlanRelease(plan.Borders, 160, 126, 632, 450, inReach),
              (ScreenRect{156, 100, 796, 580}));
    // The client area of the window's place when it is not maximised.
    EXPECT_EQ(ClientAreaOf({20, 30, 420, 330}, plan.Borders), (ScreenRect{24, 56, 416, 326}));
}

TEST(CaptureGeometry, AContentWindowSqueezedToNothingGivesTheWindowBackAsItWasTaken) {
    const CapturePlan plan = CaptureTheExampleWindow();
    for (const auto& [width, height] : {std::pair{0, 450}, std::pair{632, -30}}) {
        const ScreenRect back = PlanRelease(plan.Borders, 5000, -70000, width, height);
        EXPECT_EQ(back.Left, 100);
        EXPECT_EQ(back.Top, 80);
        EXPECT_EQ(back.Right, 740);
        EXPECT_EQ(back.Bottom, 560);
    }
}

TEST(CaptureGeometry, ExtremeNumbersSaturate) {
    constexpr int32_t Max = 2147483647;
    constexpr int32_t Min = -Max - 1;
    const CapturePlan plan = PlanCapture({Max, Min, Max, Min}, Max, Min, Min, Min, Max, Max);
    EXPECT_EQ(plan.Borders.BorderLeft, Max);
    EXPECT_EQ(plan.Content.Left, Max);
    EXPECT_EQ(plan.Content.Top, -1); // Max border below a window at Min
    const ScreenRect back = PlanRelease(plan.Borders, Min, Min, Max, Max);
    EXPECT_EQ(back.Left, Min);
    EXPECT_EQ(back.Top, Min);
}

} // namespace
} // namespace glaze
