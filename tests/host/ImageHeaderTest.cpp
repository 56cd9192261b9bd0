#include "platform/ImageHeader.h"

#include <gtest/gtest.h>

#include <vector>

namespace glaze {
namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes& out, size_t at, uint32_t value, size_t length, bool bigEndian) {
    out.resize(std::max(out.size(), at + length));
    for (size_t i = 0; i < length; ++i) {
        const size_t shift = 8 * (bigEndian ? length - 1 - i : i);
        out[at + i] = static_cast<uint8_t>(value >> shift);
    }
}

Bytes Png(uint32_t width, uint32_t height) {
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    Put(png, 16, width, 4, true);
    Put(png, 20, height, 4, true);
    return png;
}

void ExpectSize(const Bytes& bytes, int64_t width, int64_t height) {
    const auto size = DeclaredImageSize(bytes);
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->Width, width);
    EXPECT_EQ(size->Height, height);
}

TEST(DeclaredImageSize, ReadsTheHeaderOfEveryFormatTheDecoderTakes) {
    ExpectSize(Png(16000, 16000), 16000, 16000);

    ExpectSize({'G', 'I', 'F', '8', '9', 'a', 0x10, 0x27, 0x20, 0x00, 0, 0, 0}, 10000, 32);
    // A small GIF with a comment and a frame far larger than its screen.
    ExpectSize({'G', 'I', 'F',  '8',  '9',  'a',  2,    0, 2,   0,    0x80, 0,    0, 1,
                2,   3,   4,    5,    6,    0x21, 0xFE, 2, 'h', 'i',  0,    0x2C, 0, 0,
                0,   0,   0xFF, 0xFF, 0x10, 0x00, 0,    2, 1,   0x44, 0,    0x3B},
               65535, 16);

    Bytes bmp{'B', 'M'};
    Put(bmp, 14, 40, 4, false);
    Put(bmp, 18, 300, 4, false);
    Put(bmp, 22, static_cast<uint32_t>(-200), 4, false); // top-down
    ExpectSize(bmp, 300, 200);

    // A JPEG with an application segment before its start of frame.
    Bytes jpeg{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0x00, 0x00, 0xFF, 0xC2, 0x00, 0x11, 8};
    Put(jpeg, 13, 480, 2, true);
    Put(jpeg, 15, 640, 2, true);
    ExpectSize(jpeg, 640, 480);

    for (const bool bigEndian : {false, true}) {
        Bytes tiff = bigEndian ? Bytes{'M', 'M', 0, 42} : Bytes{'I', 'I', 42, 0};
        Put(tiff, 4, 8, 4, bigEndian);
        Put(tiff, 8, 2, 2, bigEndian);
        Put(tiff, 10, 256, 2, bigEndian); // width, a SHORT
        Put(tiff, 12, 3, 2, bigEndian);
        Put(tiff, 18, 70, 2, bigEndian);
        Put(tiff, 22, 257, 2, bigEndian); // height, a LONG
        Put(tiff, 24, 4, 2, bigEndian);
        Put(tiff, 30, 90000, 4, bigEndian);
        ExpectSize(tiff, 70, 90000);
    }

    // An icon whose second entry is a PNG declaring more than its directory says.
    Bytes icon{0, 0, 1, 0, 2, 0};
    Put(icon, 6, 16, 1, false);
    Put(icon, 7, 16, 1, false);
    Put(icon, 22, 0, 1, false); // 256
    Put(icon, 23, 0, 1, false);
    const Bytes inner = Png(20000, 30);
    Put(icon, 30, static_cast<uint32_t>(inner.size()), 4, false);
    Put(icon, 34, 38, 4, false);
    icon.insert(icon.end(), inner.begin(), inner.end());
    ExpectSize(icon, 20000, 30); // the largest width and the largest height
}

TEST(DeclaredImageSize, KnowsNothingOfTruncatedHeadersOrOtherFormats) {
    Bytes png = Png(10, 10);
    png.resize(22);
    EXPECT_FALSE(DeclaredImageSize(png).has_value());
    EXPECT_FALSE(DeclaredImageSize(Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x40}).has_value());
    EXPECT_FALSE(DeclaredImageSize(Bytes{'B', 'M', 0}).has_value());
    EXPECT_FALSE(DeclaredImageSize(Bytes{0xD7, 0xCD, 0xC6, 0x9A, 0, 0}).has_value()); // metafile
    EXPECT_FALSE(DeclaredImageSize(Bytes{}).has_value());
}

TEST(IsDecodableSize, BoundsEachSideAndThePixelCountByTheScreen) {
    constexpr int64_t Screen = 1280 * 800;
    EXPECT_TRUE(IsDecodableSize({16384, 1}, Screen));
    EXPECT_FALSE(IsDecodableSize({16385, 1}, Screen));
    EXPECT_FALSE(IsDecodableSize({1, 16385}, Screen));
    EXPECT_TRUE(IsDecodableSize({2560, 1600}, Screen)); // four screens
    EXPECT_FALSE(IsDecodableSize({2561, 1600}, Screen));
    EXPECT_FALSE(IsDecodableSize({0, 10}, Screen));
    EXPECT_FALSE(IsDecodableSize({-5, 10}, Screen));
}

TEST(MayReadImageFile, DecidesFromTheHeadAndTheSizeBeforeTheFileIsRead) {
    constexpr int64_t Screen = 1280 * 800;
    const int64_t largest = MaxImageFileBytes(Screen);
    EXPECT_EQ(largest, 4 * 4 * Screen + (1 << 20)); // a raw picture of four screens, and headers
    EXPECT_TRUE(MayReadImageFile(Png(2560, 1600), largest, Screen));
    EXPECT_FALSE(MayReadImageFile(Png(2560, 1600), largest + 1, Screen));
    EXPECT_FALSE(MayReadImageFile(Png(16000, 16000), 2000, Screen)); // a small file declaring much
    // A head that does not tell yet (a JPEG's frame further on) leaves it to the whole file.
    EXPECT_TRUE(MayReadImageFile(Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0x40, 0x00}, 20000, Screen));
    // A 4 GB file is refused whatever it starts with; so is every file on a screen of nothing.
    EXPECT_FALSE(MayReadImageFile(Png(10, 10), int64_t{4} << 30, Screen));
    EXPECT_FALSE(MayReadImageFile(Png(10, 10), 2000, 0));
    // However large the screen, the file bound stays that of the largest decodable sides.
    EXPECT_EQ(MaxImageFileBytes(int64_t{1} << 40), 4 * MaxImageSide * MaxImageSide + (1 << 20));
}

} // namespace
} // namespace glaze
