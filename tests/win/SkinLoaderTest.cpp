#include "frame/SkinLoader.h"

#include "SkinFiles.h"
#include "frame/ScaledSkin.h"
#include "platform/DpiScale.h"
#include "platform/Screens.h"
#include "platform/Canvas.h"
#include "platform/GdiPlus.h"
#include "platform/ImageHeader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace glaze {
namespace {

using test::Solid;
using test::TestSkin;

constexpr uint32_t Teal = 0xFF008080;
constexpr uint32_t Olive = 0xFF808000;

TEST(LoadSkinItems, ReadsEveryItemsFieldsAndDrawsItsImageOnItsOwnCanvas) {
    TestSkin skin;
    // A frame with a transparent ring two pixels wide around it, as a shadow would leave.
    skin.Png(L"frame.png", 30, 20,
             [](int32_t x, int32_t y) { return x < 2 || y < 2 || x >= 28 || y >= 18 ? 0u : Teal; });
    skin.Png(L"最小化.png", 104, 18, Solid(Olive));
    skin.Png(L"bar.png", 26, 18, Solid(Teal));
    skin.WriteItems({L"0,4,6,5,3,1,0,frame,frame.png", L"1,-100,11,26,18,0,1,最小化,最小化.png",
                     L"3,5,7,26,18,2,0,bar,bar.png"});
    std::vector<std::pair<int32_t, std::wstring>> prepared;
    ASSERT_TRUE(skin.Load([&](int32_t item, const SkinItemFields& fields) {
        prepared.emplace_back(item, fields.Label);
        return true;
    }));

    const SkinModel& m = skin.Model;
    EXPECT_EQ(m.ItemCount, 3);
    EXPECT_EQ(m.ItemAction, (std::vector<int32_t>{0, 1, 3}));
    EXPECT_EQ(m.ItemX, (std::vector<int32_t>{4, -100, 5}));
    EXPECT_EQ(m.ItemY, (std::vector<int32_t>{6, 11, 7}));
    EXPECT_EQ(m.ItemWidth, (std::vector<int32_t>{5, 26, 26}));
    EXPECT_EQ(m.ItemHeight, (std::vector<int32_t>{3, 18, 18}));
    EXPECT_EQ(m.ItemStretch, (std::vector<bool>{true, false, false})); // only 1 means stretch
    EXPECT_EQ(m.ItemDisabled, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(m.ItemImageWidth, (std::vector<int32_t>{30, 104, 26}));
    EXPECT_EQ(m.ItemImageHeight, (std::vector<int32_t>{20, 18, 18}));
    EXPECT_EQ(m.ItemSingleCell, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(m.ShadowMargin, (PixelInsets{2, 2, 2, 2}));
    EXPECT_EQ(prepared,
              (std::vector<std::pair<int32_t, std::wstring>>{{1, L"最小化"}, {2, L"bar"}}));

    ASSERT_EQ(skin.Images.ItemDC.size(), 3u);
    // Each canvas is as large as its image, not the screen.
    const std::vector<uint32_t> min = ReadCanvasPixels(skin.Images.ItemDC[1], 104, 18);
    ASSERT_EQ(min.size(), 104u * 18u);
    EXPECT_EQ(std::count(min.begin(), min.end(), Olive), 104 * 18);
    EXPECT_TRUE(ReadCanvasPixels(skin.Images.ItemDC[1], 105, 1).empty());
    EXPECT_TRUE(ReadCanvasPixels(skin.Images.ItemDC[2], 26, 19).empty());
}

// At 144 DPI, and at the DPI of the session's screen (the tests run once more at 144 DPI).
TEST(LoadSkinItems, AtTheSystemDpiScalesTheNumbersAndTakesTheImagesMadeForTheScale) {
    constexpr uint32_t Green = 0xFF00C000;
    for (const int32_t dpi : {144, WindowDpi(nullptr)}) {
        const std::optional<std::wstring> frameAtScale = ScaledImageName(L"frame.png", dpi);
        if (!frameAtScale) {
            continue; // 96 DPI: nothing to scale
        }
        SCOPED_TRACE(dpi);
        const auto scaled = [&](int32_t pixels) { return ScaleForDpi(pixels, dpi); };
        TestSkin skin;
        skin.Png(L"frame.png", 40, 30, Solid(Teal));
        skin.Png(*frameAtScale, scaled(40), scaled(30), Solid(Green));
        skin.Png(L"button.png", 40, 8, [](int32_t x, int32_t) { return x < 10 ? Teal : Olive; });
        // One pixel too wide: not made for this scale.
        skin.Png(*ScaledImageName(L"button.png", dpi), 4 * scaled(10) + 1, scaled(8), Solid(Green));
        skin.WriteItems({L"0,4,6,5,3,0,0,frame,frame.png", L"1,-40,2,10,8,0,0,min,button.png"});
        ASSERT_TRUE(skin.Load({}, dpi));

        const SkinModel& m = skin.Model;
        EXPECT_EQ(m.ItemX, (std::vector<int32_t>{scaled(4), scaled(-40)}));
        EXPECT_EQ(m.ItemHeight, (std::vector<int32_t>{scaled(3), scaled(8)}));
        EXPECT_EQ(m.ItemImageWidth, (std::vector<int32_t>{scaled(40), 4 * scaled(10)}));
        EXPECT_EQ(m.ItemSingleCell, (std::vector<bool>{false, false}));
        const std::vector<uint32_t> frame = ReadCanvasPixels(skin.Images.ItemDC[0], 1, 1);
        EXPECT_EQ(frame, std::vector<uint32_t>{Green});
        // The button's own image scaled cell by cell: its first cell stays whole and apart.
        const std::vector<uint32_t> cells =
            ReadCanvasPixels(skin.Images.ItemDC[1], 4 * scaled(10), 1);
        ASSERT_EQ(cells.size(), static_cast<size_t>(4 * scaled(10)));
        EXPECT_EQ(std::count(cells.begin(), cells.begin() + scaled(10), Teal), scaled(10));
        EXPECT_EQ(std::count(cells.begin() + scaled(10), cells.end(), Olive), 3 * scaled(10));
    }
}

TEST(LoadSkinItems, KeepsAnItemWhoseImageIsMissingOrUnreadableAsTransparentAndSizeless) {
    TestSkin skin;
    skin.Png(L"frame.png", 30, 20, Solid(Teal));
    test::WriteAnsiFile(skin.Dir() + L"\\bad.png", L"not an image");
    skin.WriteItems({L"0,4,6,5,3,0,0,frame,frame.png", L"1,-100,11,26,18,0,0,min,gone.png",
                     L"1,-70,11,26,18,0,0,max,bad.png"});
    ASSERT_TRUE(skin.Load());
    EXPECT_EQ(skin.Model.ItemCount, 3);
    for (size_t i : {1u, 2u}) {
        EXPECT_EQ(skin.Model.ItemImageWidth[i], 0);
        EXPECT_EQ(skin.Model.ItemImageHeight[i], 0);
        EXPECT_FALSE(skin.Model.ItemSingleCell[i]);
        // Transparent as far as its normal, hover and pressed cells reach: what the frame reads.
        const std::vector<uint32_t> pixels = ReadCanvasPixels(skin.Images.ItemDC[i], 78, 18);
        EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0u), 78 * 18);
        EXPECT_TRUE(ReadCanvasPixels(skin.Images.ItemDC[i], 79, 18).empty());
    }
}

TEST(LoadSkinItems, StopsAtTheFirstMissingKeyAndNeedsTheFrameImage) {
    TestSkin skin;
    skin.Png(L"f.png", 30, 20, Solid(Teal));
    const std::wstring item = L"0,4,6,5,3,0,0,f,f.png";
    skin.WriteIni(L"[SKININFO]\r\nSKINNUM0=" + item + L"\r\nSKINNUM1=" + item + L"\r\nSKINNUM3=" +
                  item + L"\r\n");
    EXPECT_TRUE(skin.Load());
    EXPECT_EQ(skin.Model.ItemCount, 2);

    skin.WriteIni(L"[SKININFO]\r\nSKINNUM0=" + item + L"\r\n");
    EXPECT_TRUE(skin.Load());
    EXPECT_EQ(skin.Model.ItemCount, 1);

    skin.WriteIni(L"[SKININFO]\r\nSKINNUM1=" + item + L"\r\n");
    EXPECT_FALSE(skin.Load());
    EXPECT_EQ(skin.Model.ItemCount, 0);
}

TEST(LoadSkinItems, FailsAtAFaultyItemWithTheItemsBeforeItLoaded) {
    TestSkin skin;
    skin.Png(L"f.png", 30, 20, Solid(Teal));
    skin.WriteItems(
        {L"0,4,6,5,3,0,0,f,f.png", L"1,-100,11,26,18,0,0,min,f.png", L"1,-70,11,26,18,0,0,max"});
    int32_t prepared = 0;
    EXPECT_FALSE(skin.Load([&](int32_t, const SkinItemFields&) { return ++prepared > 0; }));
    EXPECT_EQ(skin.Model.ItemCount, 2);
    EXPECT_EQ(skin.Model.ItemImageWidth[1], 30);
    EXPECT_EQ(prepared, 1);

    skin.WriteItems({L"0,4,6,5,3,0,0,f,f.png", L"1,-100,11,26,18,0,0,min,f.png",
                     L"1,-70,11,26,18,0,0,max,f.png"});
    EXPECT_FALSE(skin.Load([](int32_t item, const SkinItemFields&) { return item != 2; }));
    EXPECT_EQ(skin.Model.ItemCount, 2);
}

class Decoding : public ::testing::Test {
protected:
    std::optional<DecodedSize> Decode(int32_t width, int32_t height,
                                      const test::PixelFunction& pixel, int32_t dpi = 0) {
        skin.Png(L"image.png", width, height, pixel, dpi);
        return Draw(ReadFileBytes(skin.Dir() + L"\\image.png"));
    }
    std::optional<DecodedSize> Draw(const std::vector<uint8_t>& bytes) {
        return DrawImageBytes(ImageBytes(bytes), 1280 * 800,
                              [this](DecodedSize) { return HDC(canvas); });
    }
    std::vector<uint32_t> Pixels(int32_t width, int32_t height) {
        return ReadCanvasPixels(canvas, width, height);
    }

    TestSkin skin; // keeps GDI+ running
    Canvas canvas = CreateCanvas(WindowDc(nullptr), MakeBitmapInfo(64, 64));
};

TEST_F(Decoding, GivesPremultipliedPixels) {
    ASSERT_TRUE(Decode(4, 4, Solid(0x80FF0000)));
    const uint32_t pixel = Pixels(1, 1)[0];
    EXPECT_NEAR(pixel >> 24, 0x80, 1);
    EXPECT_NEAR((pixel >> 16) & 0xFF, 0x80, 1);
    EXPECT_EQ(pixel & 0xFFFF, 0u);
}

TEST_F(Decoding, DrawsOnePixelPerImagePixelWhateverTheRecordedResolution) {
    const auto corner = [](int32_t x, int32_t y) { return x == 9 && y == 5 ? Olive : Teal; };
    const std::optional<DecodedSize> size = Decode(10, 6, corner, 192);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->Width, 10);
    EXPECT_EQ(size->Height, 6);
    const std::vector<uint32_t> pixels = Pixels(11, 7);
    EXPECT_EQ(pixels[0], Teal);
    EXPECT_EQ(pixels[5 * 11 + 8], Teal);
    EXPECT_EQ(pixels[5 * 11 + 9], Olive);
    EXPECT_EQ(pixels[5 * 11 + 10], 0u);
    EXPECT_EQ(pixels[6 * 11 + 9], 0u);
}

TEST_F(Decoding, RefusesBytesThatAreNoImage) {
    EXPECT_FALSE(Draw({}));
    EXPECT_FALSE(Draw({'G', 'I', 'F', '8', '9', 'a', 0, 0}));
}

TEST_F(Decoding, RefusesAnImageDeclaredTooLargeBeforeDecodingIt) {
    const auto drawn = [&](int32_t width, int32_t height, int64_t screenPixels) {
        skin.Png(L"image.png", width, height, Solid(Teal));
        bool canvasAsked = false;
        const auto size = DrawImageBytes(ImageBytes(ReadFileBytes(skin.Dir() + L"\\image.png")),
                                         screenPixels, [&](DecodedSize) {
                                             canvasAsked = true;
                                             return HDC(canvas);
                                         });
        EXPECT_EQ(canvasAsked, size.has_value());
        return size.has_value();
    };
    EXPECT_TRUE(drawn(16384, 1, 1280 * 800));
    EXPECT_FALSE(drawn(16385, 1, 1280 * 800)); // a side beyond 16384
    EXPECT_TRUE(drawn(7, 6, 11));
    EXPECT_FALSE(drawn(7, 6, 10)); // more than four screens of 10 pixels
}

TEST_F(Decoding, SavedCanvasesReadBackAsTheyWere) {
    const auto pattern = [](int32_t x, int32_t) {
        return x == 0 ? 0x80FF4020 : x == 1 ? 0u : Olive;
    };
    ASSERT_TRUE(Decode(3, 2, pattern));
    const std::vector<uint32_t> before = Pixels(3, 2);
    const std::wstring saved = skin.Dir() + L"\\saved.png";
    ASSERT_TRUE(SaveCanvasAsPng(canvas, 3, 2, saved));
    const Canvas copy = CreateCanvas(WindowDc(nullptr), MakeBitmapInfo(3, 2));
    const std::optional<DecodedSize> size =
        DrawImageBytes(ReadImageFile(saved, 6), 6, [&](DecodedSize) { return HDC(copy); });
    ASSERT_TRUE(size);
    EXPECT_EQ(size->Width, 3);
    const std::vector<uint32_t> after = ReadCanvasPixels(copy, 3, 2);
    for (size_t i = 0; i < before.size(); ++i) {
        for (uint32_t shift = 0; shift < 32; shift += 8) {
            EXPECT_NEAR((after[i] >> shift) & 0xFF, (before[i] >> shift) & 0xFF, 1) << i;
        }
    }
}

TEST(ReadFileBytes, ReadsTheWholeFileOrNothing) {
    test::TempDir dir;
    const std::string content("a\0b\r\n\xFF", 6);
    test::WriteAnsiFile(dir / L"empty.bin", L"");
    std::ofstream(std::filesystem::path(dir / L"data.bin"), std::ios::binary) << content;
    EXPECT_EQ(ReadFileBytes(dir / L"data.bin"),
              std::vector<uint8_t>(content.begin(), content.end()));
    EXPECT_TRUE(ReadFileBytes(dir / L"empty.bin").empty());
    EXPECT_TRUE(ReadFileBytes(dir / L"missing.bin").empty());
    EXPECT_TRUE(ReadFileBytes(dir.Path().wstring()).empty());
}

// The start of a PNG file declaring width x height.
std::string PngHead(uint32_t width, uint32_t height) {
    std::string head("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16);
    for (const uint32_t side : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            head += static_cast<char>((side >> shift) & 0xFF);
        }
    }
    return head;
}

TEST(ReadImageFile, ChecksTheHeadBeforeItReadsTheRest) {
    test::TempDir dir;
    constexpr int64_t Screen = 1280 * 800;
    const auto write = [&](const wchar_t* name, const std::string& bytes, int64_t size) {
        const std::wstring path = dir / name;
        std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
        std::filesystem::resize_file(path, static_cast<uintmax_t>(size)); // sparse beyond
        return path;
    };
    const std::string picture = PngHead(10, 10) + std::string(200, 'x');
    const ImageBytes whole =
        ReadImageFile(write(L"small.png", picture, int64_t{ImageHeadBytes} + 300), Screen);
    ASSERT_EQ(whole.Size(), ImageHeadBytes + 300);
    EXPECT_TRUE(whole.WithBytes([&](std::span<const uint8_t> bytes) {
        const auto same = [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; };
        return std::equal(picture.begin(), picture.end(), bytes.begin(), same) && bytes.back() == 0;
    }));
    // A small file declaring more than four screens, and files larger than any decodable
    // picture whatever they declare, a 4 GB one among them, are refused from their first bytes.
    EXPECT_TRUE(ReadImageFile(write(L"tall.png", PngHead(10, 20000), 100), Screen).Empty());
    EXPECT_TRUE(
        ReadImageFile(write(L"big.png", picture, MaxImageFileBytes(Screen) + 1), Screen).Empty());
    EXPECT_TRUE(ReadImageFile(write(L"4gb.png", picture, int64_t{4} << 30), Screen).Empty());
    EXPECT_TRUE(ReadImageFile(write(L"empty.png", "", 0), Screen).Empty());
    EXPECT_TRUE(ReadImageFile(dir / L"missing.png", Screen).Empty());
}

TEST(Canvas, IsAsLargeAsTheScreenAndStartsTransparent) {
    const BITMAPINFO info = MakeScreenBitmapInfo();
    const int32_t width = GetSystemMetrics(SM_CXSCREEN);
    const int32_t height = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(info.bmiHeader.biWidth, width);
    EXPECT_EQ(info.bmiHeader.biHeight, height);
    EXPECT_EQ(info.bmiHeader.biBitCount, 32);
    EXPECT_EQ(info.bmiHeader.biSizeImage, static_cast<DWORD>(width * height * 4));
    const Canvas canvas = CreateCanvas(WindowDc(nullptr), info);
    const std::vector<uint32_t> pixels = ReadCanvasPixels(canvas, width, height);
    ASSERT_EQ(pixels.size(), static_cast<size_t>(width * height));
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0u), width * height);
    EXPECT_TRUE(ReadCanvasPixels(canvas, width + 1, 1).empty());
}

} // namespace
} // namespace glaze
