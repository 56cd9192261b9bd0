#pragma once
// Skins made on the spot for the drawing tests: PNG files written by a small encoder of the
// tests' own (so decoding is checked against an independent writer), and a skin.ini.

#include "TestSupport.h"
#include "frame/SkinLoader.h"
#include "platform/GdiPlus.h"
#include "platform/Scoped.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace glaze::test {

// Straight-alpha 0xAARRGGBB of the pixel at (x, y).
using PixelFunction = std::function<uint32_t(int32_t x, int32_t y)>;

// An RGBA PNG; a non-zero dotsPerInch records that resolution in the file.
void WritePng(const std::wstring& path, int32_t width, int32_t height, const PixelFunction& pixel,
              int32_t dotsPerInch = 0);

// Filled with one colour.
PixelFunction Solid(uint32_t argb);

// A skin directory with GDI+ running, loaded into a model and item canvases.
class TestSkin {
public:
    TestSkin();
    ~TestSkin();
    TestSkin(const TestSkin&) = delete;
    TestSkin& operator=(const TestSkin&) = delete;

    // Writes skin.ini with the lines as SKINNUM0, SKINNUM1, ...
    void WriteItems(const std::vector<std::wstring>& lines);
    void WriteIni(std::wstring_view text);
    void Png(const std::wstring& name, int32_t width, int32_t height, const PixelFunction& pixel,
             int32_t dotsPerInch = 0);
    bool Load(const PrepareHitArea& prepare = {}, int32_t dpi = DesignDpi);

    std::wstring Dir() const { return dir_.Path().wstring(); }
    SkinModel Model;
    SkinImages Images;

private:
    TempDir dir_{L"glaze-skin"};
    GdiPlusSession gdiplus_;
};

} // namespace glaze::test
