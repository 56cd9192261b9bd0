#include "frame/ComposePlan.h"
#include "frame/ScaledSkin.h"
#include "platform/DpiScale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace glaze {
namespace {

struct Item {
    int32_t X, Y, Width, Height;
    bool Stretch = false;
    bool Disabled = false;
    int32_t ImageWidth = 0;
    int32_t ImageHeight = 0;
};

SkinModel MakeSkin(std::initializer_list<Item> items) {
    SkinModel skin;
    skin.Resize(static_cast<int32_t>(items.size()));
    size_t i = 0;
    for (const Item& item : items) {
        skin.ItemX[i] = item.X;
        skin.ItemY[i] = item.Y;
        skin.ItemWidth[i] = item.Width;
        skin.ItemHeight[i] = item.Height;
        skin.ItemStretch[i] = item.Stretch;
        skin.ItemDisabled[i] = item.Disabled;
        skin.ItemImageWidth[i] = item.ImageWidth;
        skin.ItemImageHeight[i] = item.ImageHeight;
        ++i;
    }
    skin.ItemCount = static_cast<int32_t>(items.size());
    return skin;
}

// Borders 5 left, 20 top, 7 right, 4 bottom on a 60 x 40 frame image.
const Item Frame{5, 20, 7, 4, false, false, 60, 40};

TEST(NineSlicePlan, StretchesEdgesAlongTheirLengthAndCopiesCorners) {
    const NineSlice plan = NineSlicePlan(MakeSkin({Frame}), 200, 100);
    ASSERT_EQ(plan.Count, 8u);
    const std::array<Blit, 8> expected{{
        {true, {0, 20, 5, 76}, {0, 20, 5, 16}},    // left edge
        {true, {5, 0, 188, 20}, {5, 0, 48, 20}},   // top edge
        {true, {193, 20, 7, 76}, {53, 20, 7, 16}}, // right edge
        {true, {5, 96, 188, 4}, {5, 36, 48, 4}},   // bottom edge
        {false, {0, 0, 5, 20}, {0, 0, 5, 20}},     // top-left
        {false, {193, 0, 7, 20}, {53, 0, 7, 20}},  // top-right
        {false, {0, 96, 5, 4}, {0, 36, 5, 4}},     // bottom-left
        {false, {193, 96, 7, 4}, {53, 36, 7, 4}},  // bottom-right
    }};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(plan.Pieces[i], expected[i]) << "piece " << i;
    }
}

TEST(NineSlicePlan, FillsTheCentreOnlyWhenTheFrameImageStretches) {
    Item stretching = Frame;
    stretching.Stretch = true;
    const NineSlice plan = NineSlicePlan(MakeSkin({stretching}), 200, 100);
    ASSERT_EQ(plan.Count, 9u);
    EXPECT_EQ(plan.Pieces[8], (Blit{true, {5, 20, 188, 76}, {5, 20, 48, 16}}));
    EXPECT_EQ(NineSlicePlan(SkinModel{}, 200, 100).Count, 0u);
}

TEST(PlaceItem, CountsNegativeOffsetsFromTheRightAndBottomEdges) {
    const SkinModel skin = MakeSkin({Frame, {-40, -30, 26, 18}, {15, 11, 16, 16}});
    EXPECT_EQ(PlaceItem(skin, 1, 500, 300, true).Rect, (PixelRect{460, 270, 26, 18}));
    EXPECT_EQ(PlaceItem(skin, 1, 600, 200, true).Rect, (PixelRect{560, 170, 26, 18}));
    EXPECT_EQ(PlaceItem(skin, 2, 600, 200, true).Rect, (PixelRect{15, 11, 16, 16}));
    // Not clamped: a frame narrower than the offset puts the item off its left edge.
    EXPECT_EQ(PlaceItem(skin, 1, 30, 20, true).Rect.X, -10);
}

TEST(PlaceItem, ButtonsShowCellZeroOrTheirDisabledCell) {
    const SkinModel skin = MakeSkin({Frame, {-40, 10, 26, 18, false, false, 104, 18}});
    EXPECT_EQ(PlaceItem(skin, 1, 500, 300, true).Draw,
              (Blit{false, {460, 10, 26, 18}, {0, 0, 26, 18}}));
    EXPECT_EQ(PlaceItem(skin, 1, 500, 300, false).Draw,
              (Blit{false, {460, 10, 26, 18}, {78, 0, 26, 18}}));
    EXPECT_EQ(CellBlit({1, 2, 26, 18}, 2), (Blit{false, {1, 2, 26, 18}, {52, 0, 26, 18}}));
}

TEST(ButtonArea, HoldsTheEnabledItemsThatActWhenClicked) {
    SkinModel skin = MakeSkin({Frame,
                               {-128, 11, 26, 18},
                               {-44, 11, 26, 18},
                               {10, 5, 16, 16},                   // a decoration
                               {-200, 40, 26, 18, false, true}}); // disabled
    skin.ItemAction = {0, 5, 3, 0, 1};
    EXPECT_EQ(ButtonArea(skin, 400, 300), (PixelRect{272, 11, 110, 18}));
    skin.ItemAction = {0, 0, 0, 0, 1};
    EXPECT_EQ(ButtonArea(skin, 400, 300), PixelRect{});
}

TEST(PlaceItem, StretchedItemsFollowTheInteriorSinceTheSkinWasLoaded) {
    // Loaded with a 400 x 250 interior; margins are 12 x 24.
    SkinModel skin = MakeSkin({Frame, {5, 20, 300, 150, true, false, 72, 2}});
    skin.InteriorWidth = 400;
    skin.InteriorHeight = 250;
    const ItemPlacement grown = PlaceItem(skin, 1, 12 + 450, 24 + 270, true);
    EXPECT_EQ(grown.Rect, (PixelRect{5, 20, 350, 170}));
    // The whole image is scaled, whatever the enabled state.
    EXPECT_EQ(grown.Draw, (Blit{true, {5, 20, 350, 170}, {0, 0, 72, 2}}));
    EXPECT_EQ(PlaceItem(skin, 1, 12 + 450, 24 + 270, false).Draw, grown.Draw);

    EXPECT_EQ(PlaceItem(skin, 1, 12 + 100, 24 + 100, true).Rect, (PixelRect{5, 20, 0, 0}));
    EXPECT_EQ(PlaceItem(skin, 1, 12 + 60, 24 + 50, true).Rect, (PixelRect{5, 20, 0, 0}));
    EXPECT_EQ(PlaceItem(skin, 1, 12 + 101, 24 + 101, true).Rect, (PixelRect{5, 20, 1, 1}));
}

TEST(ItemCanvasExtent, HoldsTheImageAndTheTransparentCellsTheFrameReadsBeyondIt) {
    SkinModel skin = MakeSkin({{4, 6, 5, 3, false, false, 40, 30},
                               {-40, 2, 26, 18, false, false, 104, 18},
                               {10, 2, 26, 18, false, true, 26, 18},
                               {10, 2, 26, 18, false, false, 0, 0},
                               {10, 2, 300, 20, true, false, 3, 2},
                               {0, 0, 8, 8, false, false, 5000, 40}});
    skin.ItemSingleCell[2] = true;
    const auto extent = [&](int32_t item) { return ItemCanvasExtent(skin, item, 1280, 800); };
    EXPECT_EQ(extent(0), (CanvasExtent{40, 30}));
    EXPECT_EQ(extent(1), (CanvasExtent{104, 18}));  // a strip of four cells
    EXPECT_EQ(extent(2), (CanvasExtent{104, 18}));  // one cell, shown disabled from cell 3
    EXPECT_EQ(extent(3), (CanvasExtent{78, 18}));   // no image: normal, hover, pressed
    EXPECT_EQ(extent(4), (CanvasExtent{3, 2}));     // stretched: the image alone
    EXPECT_EQ(extent(5), (CanvasExtent{1280, 40})); // no larger than the screen
    skin.ItemImageWidth[0] = 6; // smaller than its borders: edges read up to the borders
    skin.ItemImageHeight[0] = 0;
    EXPECT_EQ(extent(0), (CanvasExtent{6, 7}));
}

// How many of the rectangles cover each pixel of a width x height area.
std::vector<int> Coverage(const std::vector<PixelRect>& rects, int32_t width, int32_t height) {
    std::vector<int> count(static_cast<size_t>(width * height));
    for (const PixelRect& r : rects) {
        for (int32_t y = std::max(r.Y, 0); y < std::min(r.Y + r.Height, height); ++y) {
            for (int32_t x = std::max(r.X, 0); x < std::min(r.X + r.Width, width); ++x) {
                ++count[static_cast<size_t>(y * width + x)];
            }
        }
    }
    return count;
}

TEST(NineSlicePlan, AtEveryScaleTheScaledImageAndTheFramesPiecesMeetAtEveryEdge) {
    // A frame image cut at odd borders, stretched over the centre, composed at 400 x 300.
    const SkinItemFields frame{0, 5, 21, 7, 3, 1, 0, L"frame", L"frame.png"};
    for (const int32_t dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        const ImageScalePlan image = PlanImageScale(0, frame, 61, 41, dpi);
        EXPECT_EQ(image.Pieces.empty(), dpi == DesignDpi);
        std::vector<PixelRect> landed;
        for (const ResamplePiece& piece : image.Pieces) {
            landed.push_back(piece.To);
        }
        if (!landed.empty()) {
            const std::vector<int> once = Coverage(landed, image.Width, image.Height);
            EXPECT_TRUE(std::all_of(once.begin(), once.end(), [](int n) { return n == 1; }));
        }
        const SkinItemFields scaled = ScaleItemFields(0, frame, dpi);
        SkinModel skin = MakeSkin({{scaled.X, scaled.Y, scaled.Width, scaled.Height, true, false,
                                    image.Width, image.Height}});
        const NineSlice plan = NineSlicePlan(skin, 400, 300);
        std::vector<PixelRect> drawn;
        for (size_t i = 0; i < plan.Count; ++i) {
            drawn.push_back(plan.Pieces[i].Dest);
            // Each piece reads from one scaled piece of the image, never across a cut.
            const PixelRect& source = plan.Pieces[i].Source;
            EXPECT_EQ(std::count_if(landed.begin(), landed.end(),
                                    [&](const PixelRect& to) {
                                        return source.X >= to.X && source.Y >= to.Y &&
                                               source.X + source.Width <= to.X + to.Width &&
                                               source.Y + source.Height <= to.Y + to.Height;
                                    }),
                      landed.empty() ? 0 : 1)
                << "piece " << i;
        }
        const std::vector<int> frameCover = Coverage(drawn, 400, 300);
        EXPECT_TRUE(
            std::all_of(frameCover.begin(), frameCover.end(), [](int n) { return n == 1; }));
    }
}

TEST(PlanImageScale, ScalesAButtonStripCellByCellAndOtherImagesWhole) {
    const SkinItemFields button{1, -44, 11, 26, 18, 0, 0, L"close", L"close.png"};
    const ImageScalePlan cells = PlanImageScale(1, button, 104, 18, 120);
    EXPECT_EQ(cells.Width, 4 * 32);
    ASSERT_EQ(cells.Pieces.size(), 4u);
    for (int32_t cell = 0; cell < 4; ++cell) {
        EXPECT_EQ(cells.Pieces[static_cast<size_t>(cell)],
                  (ResamplePiece{{26 * cell, 0, 26, 18}, {32 * cell, 0, 32, 22}}));
    }
    // From -55 to -23 (the right edge, -18, scaled), from 14 down to 36.
    EXPECT_EQ(ScaleItemFields(1, button, 120).X, -55);
    EXPECT_EQ(ScaleItemFields(1, button, 120).Width, 32);
    EXPECT_EQ(ScaleItemFields(1, button, 120).Height, 22);
    // A single cell, a stretched picture: whole.
    EXPECT_EQ(PlanImageScale(1, {1, 0, 0, 26, 18, 0, 0, {}, {}}, 26, 18, 144).Pieces.size(), 1u);
    EXPECT_EQ(PlanImageScale(1, {0, 0, 0, 300, 2, 1, 0, {}, {}}, 72, 2, 144).Pieces,
              (std::vector<ResamplePiece>{{{0, 0, 72, 2}, {0, 0, 108, 3}}}));
    // Numbers stay within the limit skins are held to.
    EXPECT_EQ(ScaleItemFields(1, {0, 30000, -30000, 1, 1, 0, 0, {}, {}}, 192).X,
              SkinCoordinateLimit);
    EXPECT_EQ(ScaleItemFields(1, {0, 30000, -30000, 1, 1, 0, 0, {}, {}}, 192).Y,
              -SkinCoordinateLimit);
}

TEST(ScaleItemFields, ItemsThatMeetAt96DpiMeetAtEveryScaleWithImagesOfTheirSize) {
    // After the frame, three buttons side by side up to the frame's right edge (each image a
    // strip of four 25 x 9 cells), and two items one above the other.
    const std::vector<SkinItemFields> items{
        {0, 6, 30, 6, 6, 1, 0, {}, {}},   {1, -75, 5, 25, 9, 0, 0, {}, {}},
        {2, -50, 5, 25, 9, 0, 0, {}, {}}, {3, -25, 5, 25, 9, 0, 0, {}, {}},
        {0, 6, 5, 40, 7, 0, 0, {}, {}},   {0, 6, 12, 40, 7, 0, 0, {}, {}}};
    for (const int32_t dpi : {120, 144, 168}) {
        SCOPED_TRACE(dpi);
        const auto at = [&](int32_t item) {
            return ScaleItemFields(item, items[static_cast<size_t>(item)], dpi);
        };
        for (const int32_t button : {1, 2, 3}) {
            EXPECT_EQ(at(button).X + at(button).Width, button < 3 ? at(button + 1).X : 0);
            const ImageScalePlan image =
                PlanImageScale(button, items[static_cast<size_t>(button)], 100, 9, dpi);
            EXPECT_EQ(image.Width, 4 * at(button).Width);
            EXPECT_EQ(image.Height, at(button).Height);
        }
        EXPECT_EQ(at(4).Y + at(4).Height, at(5).Y);
    }
}

TEST(ComposePlan, ExtremeNumbersGiveSaturatedRectangles) {
    constexpr int32_t Max = 2147483647;
    constexpr int32_t Min = -Max - 1;
    SkinModel skin = MakeSkin({{Max, Min, Max, Min, true, false, Max, Min},
                               {Min, Min, Max, Max, true, false, Max, Max},
                               {Min, Max, Min, Min, false, true, Max, Max}});
    skin.InteriorWidth = Min;
    skin.InteriorHeight = Max;
    const NineSlice frame = NineSlicePlan(skin, Max, Min);
    EXPECT_EQ(frame.Count, 9u); // and, under UBSan, no overflow on the way
    EXPECT_EQ(PlaceItem(skin, 1, Max, Max, true).Rect.Width, Max);
    EXPECT_EQ(PlaceItem(skin, 2, Max, Max, false).Draw.Source.X, Min); // 3 x Min
    EXPECT_EQ(ItemCanvasExtent(skin, 0, 1280, 800).Width, 1280);
    EXPECT_EQ(ItemCanvasExtent(skin, 2, 1280, 800), (CanvasExtent{1280, 800}));
}

} // namespace
} // namespace glaze
