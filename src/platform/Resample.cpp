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

// What one destination pixel along an axis takes from the source: its first source pixel and
// one weight per pixel from there. Weights add up to 1.
struct Contribution {
    int32_t First = 0;
    std::vector<float> Weights;
};

// The source run [from, from + fromLength) onto a destination run of toLength pixels. Source
// pixels beyond the run repeat its edge pixel, so nothing outside it is read.
std::vector<Contribution> Contributions(int32_t from, int32_t fromLength, int32_t toLength) {
    const float scale = static_cast<float>(toLength) / static_cast<float>(fromLength);
    const float reach = scale < 1.0f ? 1.0f / scale : 1.0f; // a shrink widens the filter
    const float radius = 2.0f * reach;
    std::vector<Contribution> all(static_cast<size_t>(toLength));
    for (int32_t to = 0; to < toLength; ++to) {
        const float centre = (static_cast<float>(to) + 0.5f) / scale - 0.5f;
        const auto first = static_cast<int32_t>(std::floor(centre - radius)) + 1;
        const auto last = static_cast<int32_t>(std::ceil(centre + radius)) - 1;
        Contribution& c = all[static_cast<size_t>(to)];
        c.First = from + first;
        float sum = 0.0f;
        for (int32_t at = first; at <= last; ++at) {
            const float weight = Cubic((static_cast<float>(at) - centre) / reach);
            c.Weights.push_back(weight);
            sum += weight;
        }
        for (float& weight : c.Weights) {
            weight /= sum;
        }
    }
    return all;
}

int32_t Within(int32_t at, int32_t from, int32_t length) {
    return std::clamp(at, from, from + length - 1);
}

Channels Unpack(uint32_t pixel) {
    return {static_cast<float>(pixel & 0xFF), static_cast<float>((pixel >> 8) & 0xFF),
            static_cast<float>((pixel >> 16) & 0xFF), static_cast<float>(pixel >> 24)};
}

// Premultiplied: no colour may outshine its alpha, which a cubic's overshoot would otherwise do.
uint32_t Pack(const Channels& c) {
    const auto byte = [](float value, float top) {
        return static_cast<uint32_t>(std::clamp(std::lround(value), 0L, static_cast<long>(top)));
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
    const std::vector<Contribution> across = Contributions(from.X, from.Width, to.Width);
    const std::vector<Contribution> down = Contributions(from.Y, from.Height, to.Height);

    // Across first, into rows as high as the source piece, then down.
    const auto rowPixels = static_cast<size_t>(to.Width);
    std::vector<Channels> rows(rowPixels * static_cast<size_t>(from.Height));
    for (int32_t y = 0; y < from.Height; ++y) {
        const size_t sourceRow = static_cast<size_t>(from.Y + y) * static_cast<size_t>(width);
        for (int32_t x = 0; x < to.Width; ++x) {
            const Contribution& c = across[static_cast<size_t>(x)];
            Channels sum{};
            for (size_t k = 0; k < c.Weights.size(); ++k) {
                const int32_t at = Within(c.First + static_cast<int32_t>(k), from.X, from.Width);
                const Channels source = Unpack(pixels[sourceRow + static_cast<size_t>(at)]);
                for (size_t ch = 0; ch < 4; ++ch) {
                    sum[ch] += c.Weights[k] * source[ch];
                }
            }
            rows[static_cast<size_t>(y) * rowPixels + static_cast<size_t>(x)] = sum;
        }
    }
    for (int32_t y = 0; y < to.Height; ++y) {
        const Contribution& c = down[static_cast<size_t>(y)];
        const size_t outRow = static_cast<size_t>(to.Y + y) * static_cast<size_t>(outWidth);
        for (int32_t x = 0; x < to.Width; ++x) {
            Channels sum{};
            for (size_t k = 0; k < c.Weights.size(); ++k) {
                const int32_t row =
                    Within(c.First + static_cast<int32_t>(k), from.Y, from.Height) - from.Y;
                const Channels& source =
                    rows[static_cast<size_t>(row) * rowPixels + static_cast<size_t>(x)];
                for (size_t ch = 0; ch < 4; ++ch) {
                    sum[ch] += c.Weights[k] * source[ch];
                }
            }
            out[outRow + static_cast<size_t>(to.X + x)] = Pack(sum);
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
