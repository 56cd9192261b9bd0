#include "frame/ScaledSkin.h"
#include "platform/Resample.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace glaze {
namespace {

TEST(ScaledImageName, NamesTheQuarterStepScalesBeforeTheExtension) {
    EXPECT_EQ(ScaledImageName(L"frame.png", 144), L"frame@1.5x.png");
    EXPECT_EQ(ScaledImageName(L"frame.png", 192), L"frame@2x.png");
    EXPECT_EQ(ScaledImageName(L"frame.png", 120), L"frame@1.25x.png");
    EXPECT_EQ(ScaledImageName(L"art.v2\\close", 168), L"art.v2\\close@1.75x");
    EXPECT_FALSE(ScaledImageName(L"frame.png", 96));
    EXPECT_FALSE(ScaledImageName(L"frame.png", 110));
    EXPECT_EQ(ScaledImageDpi(L"FRAME@2X.PNG", L"frame.png"), 192);
    EXPECT_FALSE(ScaledImageDpi(L"frame@2x.png", L"close.png"));
    EXPECT_FALSE(ScaledImageDpi(L"frame@1.3x.png", L"frame.png"));
}

constexpr uint32_t Red = 0xFFFF0000;
constexpr uint32_t Blue = 0xFF0000FF;
constexpr uint32_t HalfWhite = 0x80808080; // premultiplied

TEST(ResampleImage, KeepsPiecesApartAndColoursWithinTheirAlpha) {
    // 4 x 2: red on the left half, half-transparent white on the right, cut between them.
    const std::vector<uint32_t> image{Red, Red, HalfWhite, HalfWhite,
                                      Red, Red, HalfWhite, HalfWhite};
    const std::vector<ResamplePiece> unchanged{{{0, 0, 4, 2}, {0, 0, 4, 2}}};
    EXPECT_EQ(ResampleImage(image, 4, 2, unchanged, 4, 2), image);

    const std::vector<ResamplePiece> cut{{{0, 0, 2, 2}, {0, 0, 5, 5}},
                                         {{2, 0, 2, 2}, {5, 0, 5, 5}}};
    const std::vector<uint32_t> scaled = ResampleImage(image, 4, 2, cut, 10, 5);
    ASSERT_EQ(scaled.size(), 50u);
    for (size_t y = 0; y < 5; ++y) {
        for (size_t x = 0; x < 10; ++x) {
            EXPECT_EQ(scaled[y * 10 + x], x < 5 ? Red : HalfWhite) << x << "," << y;
        }
    }

    // Across a hard edge inside a piece the cubic overshoots; no colour may outshine its alpha.
    const std::vector<uint32_t> edge{Blue, 0u, Blue, 0u};
    for (const uint32_t pixel : ResampleImage(edge, 2, 2, {{{{0, 0, 2, 2}, {0, 0, 7, 7}}}}, 7, 7)) {
        const uint32_t alpha = pixel >> 24;
        EXPECT_LE(pixel & 0xFF, alpha);
        EXPECT_LE((pixel >> 16) & 0xFF, alpha);
    }
    // A piece outside either image draws nothing.
    const auto outside = ResampleImage(image, 4, 2, {{{{3, 0, 2, 2}, {0, 0, 2, 2}}}}, 2, 2);
    EXPECT_TRUE(std::all_of(outside.begin(), outside.end(), [](uint32_t p) { return p == 0; }));
}

} // namespace
} // namespace glaze
