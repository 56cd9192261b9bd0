#include "frame/FrameCanvas.h"

#include "SkinFiles.h"
#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include <map>

namespace glaze {
namespace {

using test::Solid;

// A 40 x 30 frame image with borders 4 left, 6 top, 5 right, 3 bottom. Corner pixels are all
// different; edge pixels change only across their edge, so a stretch along the edge keeps
// them exact; the centre is grey.
constexpr int32_t L = 4, T = 6, R = 5, B = 3, IW = 40, IH = 30;
constexpr uint32_t Centre = 0xFF404040;

uint32_t FramePixel(int32_t x, int32_t y) {
    const bool side = x < L || x >= IW - R;
    const bool band = y < T || y >= IH - B;
    if (side && band) {
        return 0xFF0000CCu | static_cast<uint32_t>(x << 16 | y << 8);
    }
    if (band) {
        return 0xFF0000AAu | static_cast<uint32_t>(y << 8);
    }
    if (side) {
        return 0xFF0000BBu | static_cast<uint32_t>(x << 16);
    }
    return Centre;
}

// Where a frame pixel comes from in the image: borders keep their distance to their edge.
int32_t SourceCoordinate(int32_t at, int32_t size, int32_t low, int32_t high, int32_t imageSize) {
    if (at < low) {
        return at;
    }
    if (at >= size - high) {
        return at - size + imageSize;
    }
    return low; // any pixel along a stretched edge looks the same
}

uint32_t ExpectedFramePixel(int32_t x, int32_t y, int32_t width, int32_t height, bool centre) {
    const bool inside = x >= L && x < width - R && y >= T && y < height - B;
    if (inside) {
        return centre ? Centre : 0u;
    }
    return FramePixel(SourceCoordinate(x, width, L, R, IW), SourceCoordinate(y, height, T, B, IH));
}

constexpr uint32_t CellColour(int32_t cell) {
    return 0xFF000000u | static_cast<uint32_t>(0x30 * (cell + 1)) << 16;
}

class FrameCanvas : public ::testing::Test {
protected:
    void SetUp() override { skin.Png(L"frame.png", IW, IH, FramePixel); }

    void Load(const std::vector<std::wstring>& lines) {
        skin.WriteItems(lines);
        ASSERT_TRUE(skin.Load());
    }
    std::optional<PixelRect> Draw(int32_t width, int32_t height, HitAreaCallbacks callbacks = {}) {
        return DrawFrame(canvas, skin.Model, skin.Images, width, height, callbacks);
    }
    uint32_t At(int32_t x, int32_t y) {
        return ReadCanvasPixels(canvas, CanvasWidth,
                                CanvasHeight)[static_cast<size_t>(y * CanvasWidth + x)];
    }
    void Clear() { canvas = NewCanvas(); }
    static ScopedMemoryDc NewCanvas() {
        return CreateCanvas(WindowDc(nullptr), MakeBitmapInfo(CanvasWidth, CanvasHeight));
    }

    static constexpr int32_t CanvasWidth = 640;
    static constexpr int32_t CanvasHeight = 320;
    test::TestSkin skin;
    ScopedMemoryDc canvas = NewCanvas();
};

TEST_F(FrameCanvas, CopiesCornersAndStretchesEdgesOnlyAlongTheirLength) {
    for (const bool centre : {false, true}) {
        for (const auto& [width, height] : {std::pair{200, 100}, std::pair{25, 16}}) {
            Clear();
            Load({centre ? L"0,4,6,5,3,1,0,frame,frame.png" : L"0,4,6,5,3,0,0,frame,frame.png"});
            EXPECT_FALSE(Draw(width, height)); // no items: no last rectangle
            const std::vector<uint32_t> pixels =
                ReadCanvasPixels(canvas, CanvasWidth, CanvasHeight);
            int32_t wrong = 0;
            for (int32_t y = 0; y < height; ++y) {
                for (int32_t x = 0; x < width; ++x) {
                    const uint32_t want = ExpectedFramePixel(x, y, width, height, centre);
                    if (pixels[static_cast<size_t>(y * CanvasWidth + x)] != want && ++wrong < 5) {
                        ADD_FAILURE() << "at " << x << "," << y << " in " << width << "x" << height
                                      << (centre ? " with centre" : "");
                    }
                }
            }
            EXPECT_EQ(wrong, 0);
            EXPECT_EQ(At(width, 0), 0u); // nothing beyond the frame
        }
    }
}

TEST_F(FrameCanvas, PlacesItemsFromTheFarEdgesAndShowsDisabledCells) {
    skin.Png(L"button.png", 40, 8, [](int32_t x, int32_t) { return CellColour(x / 10); });
    Load({L"0,4,6,5,3,0,0,frame,frame.png", L"1,-40,2,10,8,0,0,min,button.png",
          L"3,4,-12,10,8,0,1,off,button.png"});
    std::map<int32_t, PixelRect> placed;
    const HitAreaCallbacks record{
        [&](int32_t item, const PixelRect& rect) {
            EXPECT_EQ(At(rect.X, rect.Y), item == 1 ? FramePixel(L, 2) : 0u)
                << "placed before it is drawn";
            placed[item] = rect;
        },
        nullptr};

    EXPECT_EQ(Draw(500, 300, record), (PixelRect{4, 288, 10, 8}));
    EXPECT_EQ(placed[1], (PixelRect{460, 2, 10, 8}));
    EXPECT_EQ(At(460, 2), CellColour(0));
    EXPECT_EQ(At(469, 9), CellColour(0));
    EXPECT_EQ(At(4, 288), CellColour(3)); // disabled in the skin
    EXPECT_EQ(At(13, 295), CellColour(3));

    Clear();
    Draw(600, 300, record);
    EXPECT_EQ(placed[1], (PixelRect{560, 2, 10, 8}));
    EXPECT_EQ(At(560, 2), CellColour(0));
    EXPECT_EQ(At(460, 2), FramePixel(20, 2)); // top edge where the button was

    // The hit areas decide: a disabled button shows its disabled cell, an enabled one cell 0.
    Draw(600, 300, {nullptr, [](int32_t item) { return item == 2; }});
    EXPECT_EQ(At(560, 2), CellColour(3));
    EXPECT_EQ(At(4, 288), CellColour(0));
}

TEST_F(FrameCanvas, StretchedItemsFollowTheInteriorAndMayVanish) {
    skin.Png(L"bar.png", 3, 2, Solid(CellColour(1)));
    Load({L"0,4,6,5,3,0,0,frame,frame.png", L"0,4,6,300,20,1,0,bar,bar.png"});
    skin.Model.InteriorWidth = 400; // as if loaded around a 400 x 50 interior
    skin.Model.InteriorHeight = 50;
    const int32_t height = T + B + 50;

    EXPECT_EQ(Draw(L + R + 450, height), (PixelRect{4, 6, 350, 20}));
    EXPECT_EQ(At(4, 6), CellColour(1));
    EXPECT_EQ(At(353, 25), CellColour(1));
    EXPECT_EQ(At(354, 10), 0u);
    EXPECT_EQ(At(100, 26), 0u);

    Clear();
    EXPECT_EQ(Draw(L + R + 100, height), (PixelRect{4, 6, 0, 20}));
    EXPECT_EQ(At(4, 6), 0u);
}

TEST_F(FrameCanvas, ALaterItemReplacesWhatLiesBeneathEvenWhereItIsTransparent) {
    skin.Png(L"red.png", 10, 10, Solid(0xFFFF0000));
    skin.Png(L"half.png", 10, 10, [](int32_t x, int32_t) { return x < 5 ? 0u : 0x800000FFu; });
    Load({L"0,4,6,5,3,0,0,frame,frame.png", L"0,10,10,10,10,0,0,red,red.png",
          L"0,15,10,10,10,0,0,half,half.png"});
    Draw(100, 60);
    EXPECT_EQ(At(14, 12), 0xFFFF0000u);
    EXPECT_EQ(At(15, 12), 0u);
    EXPECT_EQ(At(19, 12), 0u);
    EXPECT_EQ(At(20, 12) >> 24, 0x80u); // not blended with the red below
    EXPECT_EQ(At(20, 12) & 0xFFFF00u, 0u);
}

} // namespace
} // namespace glaze
