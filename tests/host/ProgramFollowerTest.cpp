#include "hosting/ProgramFollower.h"

#include <gtest/gtest.h>

namespace glaze {
namespace {

constexpr WindowSize OneMonitor{1280, 800};

FramedWindowFacts Filling(int32_t width, int32_t height) {
    return {true, false, 0, 0, {width, height}};
}

TEST(ProgramFollower, TheFramesOwnRequestsOnTheirWayAreNeverTakenForTheProgramsOwn) {
    ProgramFollower follower(Filling(400, 300));
    // The user drags the frame larger; the program takes the sizes late, and skips some.
    for (int32_t step = 1; step <= 5; ++step) {
        follower.Asked({400 + step * 10, 300 + step * 10});
    }
    EXPECT_EQ(follower.Seen(Filling(400, 300), OneMonitor), FollowReaction{});
    EXPECT_EQ(follower.Seen(Filling(420, 320), OneMonitor), FollowReaction{});
    EXPECT_EQ(follower.Seen(Filling(450, 350), OneMonitor), FollowReaction{});
    // Caught up: a size the frame asked long ago is now the program's own.
    FollowReaction back = follower.Seen(Filling(420, 320), OneMonitor);
    EXPECT_EQ(back.ContentSize, (WindowSize{420, 320}));
}

TEST(ProgramFollower, TheProgramsOwnSizeAndPlaceAreFollowed) {
    ProgramFollower follower(Filling(400, 300));
    EXPECT_EQ(follower.Seen(Filling(520, 360), OneMonitor).ContentSize, (WindowSize{520, 360}));
    follower.Asked({520, 360});
    // A program that puts itself elsewhere in the content window goes back to its corner.
    const FollowReaction moved = follower.Seen({true, false, 30, 40, {520, 360}}, OneMonitor);
    EXPECT_TRUE(moved.Refill);
    EXPECT_FALSE(moved.ContentSize);
    // Nothing changes: nothing to do, however often it is looked at.
    EXPECT_EQ(follower.Seen({true, false, 30, 40, {520, 360}}, OneMonitor), FollowReaction{});
    // A program that insists on a size the frame cannot take is answered, and no more.
    follower.Asked({200, 200});
    EXPECT_EQ(follower.Seen(Filling(0, 0), OneMonitor).ContentSize, (WindowSize{0, 0}));
}

TEST(ProgramFollower, FullScreenIsAnOwnSizeCoveringTheMonitorWhateverItsPlace) {
    ProgramFollower follower(Filling(400, 300));
    FollowReaction entered = follower.Seen({true, false, 300, 200, {1280, 800}}, OneMonitor);
    EXPECT_EQ(entered.FullScreen, true);
    EXPECT_TRUE(entered.Refill);
    EXPECT_FALSE(entered.ContentSize);
    follower.Asked(OneMonitor);
    EXPECT_EQ(follower.Seen(Filling(1280, 800), OneMonitor), FollowReaction{});
    EXPECT_TRUE(follower.FullScreen());
    // Back to its own size: framed again where it was.
    const FollowReaction left = follower.Seen(Filling(400, 300), OneMonitor);
    EXPECT_EQ(left.FullScreen, false);
    EXPECT_TRUE(left.Refill);
    EXPECT_FALSE(left.ContentSize);

    // The frame's own request to cover the monitor (a maximised frame without borders) is not
    // the program's, and neither is a maximised program's size.
    ProgramFollower asked(Filling(400, 300));
    asked.Asked(OneMonitor);
    EXPECT_FALSE(asked.Seen(Filling(1280, 800), OneMonitor).FullScreen);
    ProgramFollower zoomed(Filling(400, 300));
    const FollowReaction maximised = zoomed.Seen({true, true, -4, -4, {1288, 808}}, OneMonitor);
    EXPECT_FALSE(maximised.FullScreen);
    EXPECT_EQ(maximised.Maximised, true);
    EXPECT_TRUE(maximised.Refill);
}

TEST(ProgramFollower, HidingMaximisingAndRestoringAreFollowed) {
    ProgramFollower follower(Filling(400, 300));
    FramedWindowFacts hidden = Filling(400, 300);
    hidden.Shown = false;
    EXPECT_EQ(follower.Seen(hidden, OneMonitor).Shown, false);
    EXPECT_EQ(follower.Seen(Filling(400, 300), OneMonitor).Shown, true);

    // Maximised inside the content window it keeps the size it has there.
    EXPECT_EQ(follower.Seen({true, true, 0, 0, {400, 300}}, OneMonitor).Maximised, true);
    follower.Asked({1252, 752});
    EXPECT_EQ(follower.Seen({true, true, 0, 0, {1252, 752}}, OneMonitor), FollowReaction{});
    // Restored to its own normal size: the frame restores, then takes that size.
    const FollowReaction restored = follower.Seen(Filling(500, 350), OneMonitor);
    EXPECT_EQ(restored.Maximised, false);
    EXPECT_EQ(restored.ContentSize, (WindowSize{500, 350}));
}

} // namespace
} // namespace glaze
