#include "frame/ScaledSkin.h"

#include "platform/DpiScale.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace glaze {
namespace {

// The scale's short name: quarter steps only ("1.25", "1.5", "2").
std::optional<std::wstring> ScaleName(int32_t dpi) {
    constexpr int32_t QuarterStep = DesignDpi / 4;
    if (dpi <= 0 || dpi == DesignDpi || dpi > MaxDpi || dpi % QuarterStep != 0) {
        return std::nullopt;
    }
    const int32_t quarters = dpi / QuarterStep;
    static constexpr const wchar_t* Fractions[] = {L"", L".25", L".5", L".75"};
    return std::to_wstring(quarters / 4) + Fractions[quarters % 4];
}

// Where an item cuts its image along one axis: cut points strictly inside (0, size), in order.
// The pieces between them are scaled one by one, so each cut lands on a scaled number.
std::vector<int32_t> CutsAlong(int32_t size, std::initializer_list<int64_t> wanted) {
    std::vector<int32_t> cuts;
    for (const int64_t at : wanted) {
        if (at > 0 && at < size && (cuts.empty() || at > cuts.back())) {
            cuts.push_back(static_cast<int32_t>(at));
        }
    }
    return cuts;
}

// Borders that fit inside the image cut it; borders that overlap or reach outside it leave it
// whole, scaled as one.
std::vector<int32_t> BorderCuts(int32_t near, int32_t far, int32_t size) {
    if (near < 0 || far < 0 || int64_t{near} + far > size) {
        return {};
    }
    return CutsAlong(size, {near, int64_t{size} - far});
}

// One axis: the source runs between the cuts and where each lands once scaled.
struct Run {
    int32_t From = 0;
    int32_t FromLength = 0;
    int32_t To = 0;
    int32_t ToLength = 0;
};
std::vector<Run> ScaledRuns(int32_t size, const std::vector<int32_t>& cuts, int32_t dpi,
                            int32_t& scaledSize) {
    std::vector<Run> runs;
    int32_t from = 0;
    int64_t to = 0;
    for (size_t i = 0; i <= cuts.size(); ++i) {
        const int32_t end = i < cuts.size() ? cuts[i] : size;
        // Runs past the largest number an image can have are cut there.
        const int64_t length = std::min<int64_t>(ScaleForDpi(end - from, dpi), INT32_MAX - to);
        runs.push_back({from, end - from, static_cast<int32_t>(to), static_cast<int32_t>(length)});
        to += length;
        from = end;
    }
    scaledSize = static_cast<int32_t>(to);
    return runs;
}

} // namespace

SkinItemFields ScaleItemFields(SkinItemFields fields, int32_t dpi) {
    for (int32_t* number : {&fields.X, &fields.Y, &fields.Width, &fields.Height}) {
        *number = std::clamp(ScaleForDpi(*number, dpi), -SkinCoordinateLimit, SkinCoordinateLimit);
    }
    return fields;
}

ImageScalePlan PlanImageScale(int32_t item, const SkinItemFields& fields, int32_t imageWidth,
                              int32_t imageHeight, int32_t dpi) {
    ImageScalePlan plan{{}, imageWidth, imageHeight};
    if (UsableDpi(dpi) == DesignDpi || imageWidth <= 0 || imageHeight <= 0) {
        return plan;
    }
    std::vector<int32_t> across;
    std::vector<int32_t> down;
    if (item == 0) {
        across = BorderCuts(fields.X, fields.Width, imageWidth);
        down = BorderCuts(fields.Y, fields.Height, imageHeight);
    } else if (fields.Stretch != 1 && fields.Width != imageWidth && fields.Width > 0) {
        // The cells the frame draws from: normal, hover, pressed, disabled; the rest as one.
        const int64_t cell = fields.Width;
        across = CutsAlong(imageWidth, {cell, 2 * cell, 3 * cell, 4 * cell});
    }
    const std::vector<Run> columns = ScaledRuns(imageWidth, across, dpi, plan.Width);
    const std::vector<Run> rows = ScaledRuns(imageHeight, down, dpi, plan.Height);
    for (const Run& row : rows) {
        for (const Run& column : columns) {
            plan.Pieces.push_back({{column.From, row.From, column.FromLength, row.FromLength},
                                   {column.To, row.To, column.ToLength, row.ToLength}});
        }
    }
    return plan;
}

std::optional<std::wstring> ScaledImageName(std::wstring_view imageFile, int32_t dpi) {
    const std::optional<std::wstring> scale = ScaleName(dpi);
    if (!scale) {
        return std::nullopt;
    }
    // The scale goes before the extension of the file's own name, not of a directory on its way.
    const size_t name = imageFile.find_last_of(L"\\/");
    const size_t dot = imageFile.rfind(L'.');
    const size_t at =
        dot != std::wstring_view::npos && (name == std::wstring_view::npos || dot > name)
            ? dot
            : imageFile.size();
    return std::wstring(imageFile.substr(0, at)) + L"@" + *scale + L"x" +
           std::wstring(imageFile.substr(at));
}

std::optional<int32_t> ScaledImageDpi(std::wstring_view candidate, std::wstring_view imageFile) {
    // File names compare without regard to the case of their letters, as the system's do.
    const auto folded = [](std::wstring_view text) {
        std::wstring lower(text);
        for (wchar_t& c : lower) {
            c = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
        }
        return lower;
    };
    const std::wstring wanted = folded(candidate);
    for (int32_t dpi = DesignDpi / 4; dpi <= MaxDpi; dpi += DesignDpi / 4) {
        const std::optional<std::wstring> name = ScaledImageName(imageFile, dpi);
        if (name && folded(*name) == wanted) {
            return dpi;
        }
    }
    return std::nullopt;
}

} // namespace glaze
