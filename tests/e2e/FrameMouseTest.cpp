// The frame's caption buttons and caption band under the real mouse.

#include "FrameMouseFixture.h"

#include "../win/TestSupport.h"

namespace glaze::e2e {
namespace {

using FrameButtons = FrameMouse;
using CaptionBand = FrameMouse;

TEST_F(FrameButtons, HoverLightsTheButtonUntilTheFirstMoveOffIt) {
    app.CopyBundledSkins();
    StartPanel();
    const RECT close = ItemOnScreen(AuroraClose);
    PointerTo(CentreOf(close));
    EXPECT_TRUE(WaitShows(AuroraClose, HoverCell));
    const HWND area = WindowFromPoint(CentreOf(close));
    EXPECT_EQ(ClassOf(area), L"GlazeHitArea");
    EXPECT_EQ(CaptureOf(Frame()), area);

    // The button's right and bottom edges still count as on it.
    PointerTo({close.right, close.bottom});
    EXPECT_TRUE(StaysTrue([&] { return Shows(AuroraClose, HoverCell); }));
    PointerTo({close.right + 1, close.bottom});
    EXPECT_TRUE(WaitShows(AuroraClose, NormalCell));
    EXPECT_TRUE(WaitUntil([&] { return CaptureOf(Frame()) == nullptr; }));

    PointerTo(CentreOf(close));
    EXPECT_TRUE(WaitShows(AuroraClose, HoverCell));
    PointerTo({close.left - 1, close.top - 1});
    EXPECT_TRUE(WaitShows(AuroraClose, NormalCell));
}

TEST_F(FrameButtons, MovesWithAButtonHeldChangeNothing) {
    app.CopyBundledSkins();
    StartPanel();
    const RECT close = ItemOnScreen(AuroraClose);
    PointerTo(CentreOf(close));
    ASSERT_TRUE(WaitShows(AuroraClose, HoverCell));
    const HWND area = CaptureOf(Frame());
    PressButton(RightButton);
    ASSERT_TRUE(WaitShows(AuroraClose, PressedCell));
    const POINT offIt{close.left - 10, close.bottom + 2}; // on the frame, below the max button
    PointerTo(offIt);
    EXPECT_TRUE(
        StaysTrue([&] { return Shows(AuroraClose, PressedCell) && CaptureOf(Frame()) == area; }));
    PointerTo(Offset(CentreOf(close), 2, 0));
    EXPECT_TRUE(StaysTrue([&] { return Shows(AuroraClose, PressedCell); }));
    ReleaseButton(RightButton);
    // Wine may hand the first move over before the release; the one after it has no button held.
    PointerTo(Offset(offIt, -1, 0));
    PointerTo(Offset(offIt, -2, 0));
    EXPECT_TRUE(WaitShows(AuroraClose, NormalCell));
    EXPECT_TRUE(Glaze().Running());
}

TEST_F(FrameButtons, OtherButtonsShowThePressedCellAndRunNoAction) {
    app.CopyBundledSkins();
    StartPanel();
    ASSERT_TRUE(WaitUntil([&] { return TitleBoxSeen(Content()); }));
    SaveScreenshot(L"close-normal");
    const POINT close = ItemCentre(AuroraClose);
    PointerTo(close);
    ASSERT_TRUE(WaitShows(AuroraClose, HoverCell));
    SaveScreenshot(L"close-hover");
    PressButton(RightButton);
    ASSERT_TRUE(WaitShows(AuroraClose, PressedCell));
    SaveScreenshot(L"close-pressed");
    ReleaseButton(RightButton);
    // The release was handled before this move lights the button again.
    EXPECT_TRUE(HandledInputBefore(AuroraClose));
    EXPECT_TRUE(Glaze().Running());

    ClickAt(Offset(close, 1, 1), MiddleButton);
    EXPECT_TRUE(HandledInputBefore(AuroraClose));
    EXPECT_TRUE(Glaze().Running());

    const POINT next = ItemCentre(AuroraNext);
    PointerTo(next);
    ASSERT_TRUE(WaitShows(AuroraNext, HoverCell));
    PressButton(RightButton);
    EXPECT_TRUE(WaitShows(AuroraNext, PressedCell));
    ReleaseButton(RightButton);
    EXPECT_TRUE(HandledInputBefore(AuroraNext));
    EXPECT_EQ(SkinSelection(), 0);
}

TEST_F(FrameButtons, OnlyALeftPressAndReleaseOnTheButtonActs) {
    app.CopyBundledSkins();
    StartPanel();
    const RECT close = ItemOnScreen(AuroraClose);
    PointerTo(CentreOf(close));
    ASSERT_TRUE(WaitShows(AuroraClose, HoverCell));
    PressButton(LeftButton);
    ASSERT_TRUE(WaitShows(AuroraClose, PressedCell));
    // Released away from the button: no click.
    PointerTo({close.left - 10, close.bottom + 2});
    ReleaseButton(LeftButton);
    EXPECT_TRUE(HandledInputBefore(AuroraClose));
    EXPECT_TRUE(Glaze().Running());

    ClickAt(CentreOf(close), LeftButton);
    EXPECT_TRUE(Glaze().WaitForExit(10s).has_value());
}

TEST_F(FrameButtons, ThePanelKeepsItsFrameOnMaximiseAndDoubleClick) {
    app.CopyBundledSkins();
    StartPanel();
    const RECT before = FrameRect();
    ClickAt(ItemCentre(AuroraMax), LeftButton);
    EXPECT_TRUE(HandledInputBefore(AuroraMax));
    EXPECT_FALSE(IsZoomed(Frame()));
    EXPECT_TRUE(FrameAt(before));

    DoubleClickAt({before.left + 100, before.top + 20});
    EXPECT_TRUE(HandledInputBefore(AuroraClose));
    EXPECT_FALSE(IsZoomed(Frame()));
    EXPECT_TRUE(FrameAt(before));
}

TEST_F(FrameButtons, NextSkinOnTheLastSkinLoadsTheFirst) {
    app.CopyBundledSkins();
    test::WriteAnsiFile(app.MysetIni(), L"[SETTING]\r\nSAVE=1\r\nAPPSTYL=2\r\n");
    StartPanel(JadeNext);
    ASSERT_EQ(SkinSelection(), 2);
    ClickAt(ItemCentre(JadeNext), LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return SkinSelection() == 0; }));
    EXPECT_TRUE(WaitShows(AuroraClose, NormalCell));
    EXPECT_TRUE(ContentOnInterior(AuroraMargins));
}

TEST_F(FrameButtons, AnEnabledItemWithoutActionIsADeadArea) {
    // Graphite with its emblem enabled.
    app.CopySkinAs(L"Graphite", L"Live");
    test::WriteAnsiFile(app.SkinDir() + L"\\Live\\skin.ini",
                        L"[SKININFO]\r\n"
                        L"SKINNUM0=0,13,32,13,13,0,0,frame,frame.png\r\n"
                        L"SKINNUM1=0,13,30,206,152,1,1,accent,accent.png\r\n"
                        L"SKINNUM2=0,15,11,16,16,0,0,emblem,emblem.png\r\n"
                        L"SKINNUM3=5,-116,10,24,18,0,0,next,next.png\r\n"
                        L"SKINNUM4=1,-91,10,24,18,0,0,min,min.png\r\n"
                        L"SKINNUM5=2,-66,10,24,18,0,0,max,max.png\r\n"
                        L"SKINNUM6=3,-41,10,24,18,0,0,close,close.png\r\n");
    StartPanel(GraphiteClose);
    const RECT before = FrameRect();
    const POINT emblem = ItemCentre(GraphiteEmblem);
    PointerTo(emblem);
    EXPECT_TRUE(WaitShows(GraphiteEmblem, HoverCell));
    PressButton(LeftButton);
    EXPECT_TRUE(WaitShows(GraphiteEmblem, PressedCell));
    MoveInSteps(emblem, Offset(emblem, 60, 40));
    ReleaseButton(LeftButton);
    EXPECT_TRUE(HandledInputBefore(GraphiteClose));
    EXPECT_TRUE(FrameAt(before));
    EXPECT_TRUE(Glaze().Running());
}

TEST_F(FrameButtons, ADisabledItemLetsThePressThroughToTheFrame) {
    app.CopySkinAs(L"Graphite", L"Graphite");
    StartPanel(GraphiteClose);
    EXPECT_TRUE(Shows(GraphiteEmblem, DisabledCell));
    const RECT before = FrameRect();
    const POINT emblem = ItemCentre(GraphiteEmblem);
    LoopDrag(emblem, {Offset(emblem, 60, 40)});
    EXPECT_TRUE(WaitUntil([&] {
        const RECT now = FrameRect();
        return now.left == before.left + 60 && now.top == before.top + 40;
    }));
    EXPECT_TRUE(WaitShows(GraphiteEmblem, DisabledCell));
}

TEST_F(FrameButtons, AComposedFrameShowsTheHoveredButtonNormal) {
    app.CopyBundledSkins();
    StartFrame();
    const POINT close = ItemCentre(AuroraClose);
    PointerTo(close);
    ASSERT_TRUE(WaitShows(AuroraClose, HoverCell));
    // Away above the frame, straight onto another program's window: the frame may not hear of
    // it (under Wine it does not), and the button may stay lit until the next composition.
    PointerTo({close.x, FrameRect().top - 30});
    if (!Shows(AuroraClose, HoverCell)) {
        GTEST_SKIP() << "the button went back to normal before the composition";
    }
    const RECT before = FrameRect();
    SetWindowPos(Frame(), nullptr, 0, 0, before.right - before.left + 40,
                 before.bottom - before.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return FrameRect().right == before.right + 40; }));
    EXPECT_TRUE(WaitShows(AuroraClose, NormalCell));
}

// Points on the frame's left and right borders, in the caption band's last row and in the
// row below it, where the content window begins.
struct BandPoints {
    POINT LeftInBand, RightInBand, LeftBelow;
};
BandPoints BandPointsOf(const RECT& frame, int marginTop) {
    const int bandBottom = frame.top + marginTop;
    return {{frame.left + 8, bandBottom - 1},
            {frame.right - 8, bandBottom - 1},
            {frame.left + 8, bandBottom}};
}

TEST_F(CaptionBand, ARightReleaseInTheBandOpensTheSystemMenu) {
    app.CopyBundledSkins();
    StartPanel();
    const BandPoints band = BandPointsOf(FrameRect(), AuroraMargins.Top);
    for (const POINT at : {band.LeftInBand, band.RightInBand}) {
        ClickAt(at, RightButton);
        EXPECT_NE(WaitFor([&] { return OpenMenu(); }, 5s), nullptr) << at.x << "," << at.y;
        TypeKey(VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return OpenMenu() == nullptr; }));
    }

    ClickAt(band.LeftBelow, RightButton);
    EXPECT_TRUE(HandledInputBefore(AuroraClose));
    EXPECT_EQ(OpenMenu(), nullptr);
}

TEST_F(CaptionBand, ALeftReleaseNeverOpensTheMenu) {
    app.CopyBundledSkins();
    StartPanel();
    const RECT frame = FrameRect();
    ClickAt(BandPointsOf(frame, AuroraMargins.Top).LeftInBand, LeftButton);
    ClickAt({frame.left + 100, frame.top + 20}, LeftButton);
    EXPECT_TRUE(HandledInputBefore(AuroraClose));
    EXPECT_EQ(OpenMenu(), nullptr);
    EXPECT_TRUE(FrameAt(frame));
}

TEST_F(CaptionBand, TheSystemMenusChoiceActsOnTheFrame) {
    app.CopyBundledSkins();
    StartPanel();
    const POINT inBand = {FrameRect().left + 100, FrameRect().top + 20};
    ClickAt(inBand, RightButton);
    ASSERT_NE(WaitFor([&] { return OpenMenu(); }, 5s), nullptr);
    TypeKey('N'); // minimise
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(Frame()) != FALSE; }));
    ShowWindow(Frame(), SW_RESTORE);
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(Frame()); }));
    ASSERT_TRUE(WaitShows(AuroraClose, NormalCell));

    ClickAt(inBand, RightButton);
    ASSERT_NE(WaitFor([&] { return OpenMenu(); }, 5s), nullptr);
    TypeKey('C'); // close
    EXPECT_TRUE(Glaze().WaitForExit(10s).has_value());
}

using FrameKeyboard = FrameMouse;

// Whatever brings the frame to the front, what the user types next reaches the framed program.
TEST_F(FrameKeyboard, TypingReachesTheFramedProgramHoweverTheFrameCameToTheFront) {
    app.CopyBundledSkins();
    StartFrame();
    const HWND edit = Target().TextBox();
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    // The user types once the program is seen in front again, its caret in its text box.
    const auto typedReaches = [&](const std::wstring& typed, const std::wstring& expected) {
        if (!WaitUntil([&] { return Target().HasKeyboard(); }, 3s)) {
            return false;
        }
        TypeText(typed);
        return WaitUntil([&] { return TextOf(edit) == expected; }, 3s);
    };

    ClickAt(CentreOf(ContentRect()), LeftButton);
    EXPECT_TRUE(typedReaches(L"a", L"a")) << "after a click into the program";
    AwaitFreshClick();
    ClickAt(BandPointsOf(FrameRect(), AuroraMargins.Top).LeftInBand, LeftButton);
    EXPECT_TRUE(typedReaches(L"b", L"ab")) << "after a click on the caption band";
    // Another window in front, then the frame brought back as the taskbar brings it.
    TargetProgram other(L"别的程序 In front");
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other.Window(); }));
    SetForegroundWindow(Frame());
    EXPECT_TRUE(typedReaches(L"c", L"abc")) << "after the frame was brought to the front";
}

// A program that leaves its focus where it is when activated, as most plain programs do: a click
// on its frame, already in front, leaves the keyboard in the program's text box.
TEST_F(FrameKeyboard, AClickOnTheFrameInFrontLeavesTheKeyboardWhereItWas) {
    app.CopyBundledSkins();
    StartFrame(L"A", AuroraClose, L"--keepfocus");
    const HWND edit = Target().TextBox();
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    ClickAt(CentreOf(ClientRectOnScreen(edit)), LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Target().HasKeyboard(); }, 3s));
    const RECT frame = FrameRect();
    const POINT onFrame[] = {BandPointsOf(frame, AuroraMargins.Top).LeftInBand,
                             {frame.left + AuroraMargins.Left / 2, (frame.top + frame.bottom) / 2},
                             RightEdge()};
    std::wstring typed;
    for (const POINT at : onFrame) {
        AwaitFreshClick();
        ClickAt(at, LeftButton);
        EXPECT_TRUE(StaysTrue([&] { return Target().HasKeyboard(); }, 500ms))
            << at.x << "," << at.y;
        typed += L"k";
        TypeText(L"k");
        EXPECT_TRUE(WaitUntil([&] { return TextOf(edit) == typed; }, 3s)) << at.x << "," << at.y;
    }
}

} // namespace
} // namespace glaze::e2e
