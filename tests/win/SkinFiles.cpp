#include "SkinFiles.h"

#include "platform/Canvas.h"
#include "platform/GdiPlus.h"

#include <array>
#include <fstream>

namespace glaze::test {
namespace {

uint32_t Crc32(const std::vector<uint8_t>& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

void PutChunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
    PutBigEndian(png, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    png.insert(png.end(), typed.begin(), typed.end());
    PutBigEndian(png, Crc32(typed));
}

// A zlib stream of stored (uncompressed) blocks.
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out{0x78, 0x01};
    uint32_t a = 1;
    uint32_t b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    size_t offset = 0;
    do {
        const size_t length = std::min<size_t>(raw.size() - offset, 65535);
        const bool last = offset + length == raw.size();
        out.push_back(last ? 1 : 0);
        const auto n = static_cast<uint16_t>(length);
        for (uint16_t half : {n, static_cast<uint16_t>(~n)}) {
            out.push_back(static_cast<uint8_t>(half & 0xFF));
            out.push_back(static_cast<uint8_t>(half >> 8));
        }
        out.insert(out.end(), raw.begin() + static_cast<ptrdiff_t>(offset),
                   raw.begin() + static_cast<ptrdiff_t>(offset + length));
        offset += length;
    } while (offset < raw.size());
    PutBigEndian(out, (b << 16) | a);
    return out;
}

} // namespace

void WritePng(const std::wstring& path, int32_t width, int32_t height, const PixelFunction& pixel,
              int32_t dotsPerInch) {
    std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8-bit RGBA, no interlace
    PutChunk(png, "IHDR", header);
    if (dotsPerInch != 0) {
        const auto perMetre = static_cast<uint32_t>(dotsPerInch * 10000 / 254);
        std::vector<uint8_t> physical;
        PutBigEndian(physical, perMetre);
        PutBigEndian(physical, perMetre);
        physical.push_back(1); // unit: metre
        PutChunk(png, "pHYs", physical);
    }
    std::vector<uint8_t> raw;
    for (int32_t y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t argb = pixel(x, y);
            raw.insert(raw.end(),
                       {static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                        static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 24)});
        }
    }
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", {});
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
}

PixelFunction Solid(uint32_t argb) {
    return [argb](int32_t, int32_t) { return argb; };
}

TestSkin::TestSkin() = default;

TestSkin::~TestSkin() {
    Images.ItemDC.clear(); // before GDI+ ends
}

void TestSkin::WriteItems(const std::vector<std::wstring>& lines) {
    std::wstring text = L"[SKININFO]\r\n";
    for (size_t i = 0; i < lines.size(); ++i) {
        text += L"SKINNUM" + std::to_wstring(i) + L"=" + lines[i] + L"\r\n";
    }
    WriteIni(text);
}

void TestSkin::WriteIni(std::wstring_view text) {
    WriteAnsiFile(dir_ / L"skin.ini", text);
}

void TestSkin::Png(const std::wstring& name, int32_t width, int32_t height,
                   const PixelFunction& pixel, int32_t dotsPerInch) {
    WritePng(dir_ / name, width, height, pixel, dotsPerInch);
}

bool TestSkin::Load(const PrepareHitArea& prepare, int32_t dpi) {
    const WindowDc screen(nullptr);
    return LoadSkinItems(Dir(), screen, MakeScreenBitmapInfo(), Model, Images, dpi, prepare);
}

} // namespace glaze::test
