#include "platform/Resample.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace glaze {
namespace {

using Channels = std::array<float, 4>; // blue, green, red, alpha: the byte order of a pixel

// Catmull-Rom: sharp, no ringing to speak of, and exact at whole steps.
float Cubic(float x) {
    x = std::fabs(x);
    if (x < 1.0f) {
        return (1.5f * x - 2.5f) * x * x + 1.0f;
    }
    if (x < 2.0f) {
        return ((-0.5f * x + 2.5f) * x - 4.0f) * x + 2.0f;
    }
    return 0.0f;
}

// What each destination pixel along an axis takes from the source run: Taps source pixels
// (positions within the run, edge pixels repeated beyond it, so nothing outside is read) and a
// weight for each. Weights of a pixel add up to 1.
struct Contributions {
    size_t Taps = 0;
    std::vector<int32_t> At;    // Taps per destination pixel
    std::vector<float> Weights; // Taps per destination pixel
};

// The source run of fromLength pixels onto a destination run of toLength pixels.
Contributions ContributionsOf(int32_t fromLength, int32_t toLength) {
    const float scale = static_cast<float>(toLength) / static_cast<float>(fromLength);
    const float reach = scale < 1.0f ? 1.0f / scale : 1.0f; // a shrink widens the filter
    const float radius = 2.0f * reach;
    Contributions c;
    // No more source pixels than lie strictly within the radius around any centre.
    c.Taps = static_cast<size_t>(std::ceil(2.0f * radius));
    c.At.resize(c.Taps * static_cast<size_t>(toLength));
    c.Weights.resize(c.At.size());
    for (int32_t to = 0; to < toLength; ++to) {
        const float centre = (static_cast<float>(to) + 0.5f) / scale - 0.5f;
        const auto first = static_cast<int32_t>(std::floor(centre - radius)) + 1;
        const size_t row = static_cast<size_t>(to) * c.Taps;
        float sum = 0.0f;
        for (size_t k = 0; k < c.Taps; ++k) {
            const int32_t at = first + static_cast<int32_t>(k);
            const float weight = Cubic((static_cast<float>(at) - centre) / reach);
            c.At[row + k] = std::clamp(at, 0, fromLength - 1);
            c.Weights[row + k] = weight;
            sum += weight;
        }
        for (size_t k = 0; k < c.Taps; ++k) {
            c.Weights[row + k] /= sum;
        }
    }
    return c;
}

Channels Unpack(uint32_t pixel) {
    return {static_cast<float>(pixel & 0xFF), static_cast<float>((pixel >> 8) & 0xFF),
            static_cast<float>((pixel >> 16) & 0xFF), static_cast<float>(pixel >> 24)};
}

// Premultiplied: no colour may outshine its alpha, which a cubic's overshoot would otherwise do.
uint32_t Pack(const Channels& c) {
    const auto byte = [](float value, float top) {
        return static_cast<uint32_t>(std::clamp(value, 0.0f, top) + 0.5f);
    };
    const uint32_t alpha = byte(c[3], 255.0f);
    const auto colourTop = static_cast<float>(alpha);
    return alpha << 24 | byte(c[2], colourTop) << 16 | byte(c[1], colourTop) << 8 |
           byte(c[0], colourTop);
}

bool Inside(const PixelRect& rect, int32_t width, int32_t height) {
    return rect.Width > 0 && rect.Height > 0 && rect.X >= 0 && rect.Y >= 0 &&
           rect.Width <= width - rect.X && rect.Height <= height - rect.Y;
}

void DrawPiece(std::span<const uint32_t> pixels, int32_t width, const ResamplePiece& piece,
               std::vector<uint32_t>& out, int32_t outWidth) {
    const PixelRect& from = piece.From;
    const PixelRect& to = piece.To;
    const Contributions across = ContributionsOf(from.Width, to.Width);
    const Contributions down = ContributionsOf(from.Height, to.Height);

    // The piece's pixels as numbers, once.
    const auto fromWidth = static_cast<size_t>(from.Width);
    std::vector<Channels> source(fromWidth * static_cast<size_t>(from.Height));
    for (int32_t y = 0; y < from.Height; ++y) {
        const size_t row = static_cast<size_t>(from.Y + y) * static_cast<size_t>(width);
        for (int32_t x = 0; x < from.Width; ++x) {
            source[static_cast<size_t>(y) * fromWidth + static_cast<size_t>(x)] =
                Unpack(pixels[row + static_cast<size_t>(from.X + x)]);
        }
    }
    // Across first, into rows as high as the source piece, then down.
    const auto toWidth = static_cast<size_t>(to.Width);
    std::vector<Channels> rows(toWidth * static_cast<size_t>(from.Height));
    for (size_t y = 0; y < static_cast<size_t>(from.Height); ++y) {
        for (size_t x = 0; x < toWidth; ++x) {
            Channels sum{};
            for (size_t k = 0, tap = x * across.Taps; k < across.Taps; ++k, ++tap) {
                const Channels& pixel = source[y * fromWidth + static_cast<size_t>(across.At[tap])];
                for (size_t ch = 0; ch < 4; ++ch) {
                    sum[ch] += across.Weights[tap] * pixel[ch];
                }
            }
            rows[y * toWidth + x] = sum;
        }
    }
    for (size_t y = 0; y < static_cast<size_t>(to.Height); ++y) {
        const size_t outRow = (static_cast<size_t>(to.Y) + y) * static_cast<size_t>(outWidth) +
                              static_cast<size_t>(to.X);
        for (size_t x = 0; x < toWidth; ++x) {
            Channels sum{};
            for (size_t k = 0, tap = y * down.Taps; k < down.Taps; ++k, ++tap) {
                const Channels& pixel = rows[static_cast<size_t>(down.At[tap]) * toWidth + x];
                for (size_t ch = 0; ch < 4; ++ch) {
                    sum[ch] += down.Weights[tap] * pixel[ch];
                }
            }
            out[outRow + x] = Pack(sum);
        }
    }
}

} // namespace

std::vector<uint32_t> ResampleImage(std::span<const uint32_t> pixels, int32_t width, int32_t height,
                                    std::span<const ResamplePiece> pieces, int32_t outWidth,
                                    int32_t outHeight) {
    if (width <= 0 || height <= 0 || outWidth <= 0 || outHeight <= 0 ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return std::vector<uint32_t>(static_cast<size_t>(std::max(outWidth, 0)) *
                                     static_cast<size_t>(std::max(outHeight, 0)));
    }
    std::vector<uint32_t> out(static_cast<size_t>(outWidth) * static_cast<size_t>(outHeight));
    for (const ResamplePiece& piece : pieces) {
        if (Inside(piece.From, width, height) && Inside(piece.To, outWidth, outHeight)) {
            DrawPiece(pixels, width, piece, out, outWidth);
        }
    }
    return out;
}

} // namespace glaze
