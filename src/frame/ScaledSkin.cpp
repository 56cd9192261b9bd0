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

// One axis of an image: where it is cut (from 0 to its size) and where each cut lands once
// scaled. The runs between cuts are scaled one by one.
struct AxisCuts {
    std::vector<int64_t> From;
    std::vector<int64_t> To;
};

// Uncut: the whole image scaled.
AxisCuts Whole(int32_t size, int32_t dpi) {
    return {{0, size}, {0, ScaleForDpi(size, dpi)}};
}

// Uncut, the size of the item's side when the image is as long as that side.
AxisCuts Side(int32_t size, int32_t itemSide, int32_t scaledSide, int32_t dpi) {
    return size == itemSide && scaledSide > 0 ? AxisCuts{{0, size}, {0, scaledSide}}
                                              : Whole(size, dpi);
}

// Cut at borders that fit inside the image (others leave it whole). The borders land on their
// scaled sizes at either end, and the run between them takes what the scaled image leaves: the
// image is as large as its own size scaled, so that an image made for the scale fits it.
AxisCuts Borders(int32_t nearBorder, int32_t farBorder, int32_t size, int32_t dpi) {
    if (nearBorder < 0 || farBorder < 0 || int64_t{nearBorder} + farBorder > size) {
        return Whole(size, dpi);
    }
    const int64_t middle = int64_t{size} - nearBorder - farBorder;
    const int64_t nearTo = ScaleForDpi(nearBorder, dpi);
    const int64_t farTo = ScaleForDpi(farBorder, dpi);
    const int64_t middleTo =
        middle > 0 ? std::max<int64_t>(ScaleForDpi(size, dpi) - nearTo - farTo, 1) : 0;
    return {{0, nearBorder, nearBorder + middle, size},
            {0, nearTo, nearTo + middleTo, nearTo + middleTo + farTo}};
}

// Cut into the cells the frame draws from (normal, hover, pressed, disabled), each scaled to
// the item's scaled width; whatever lies beyond them is one more run.
AxisCuts Cells(int32_t cell, int32_t cellTo, int32_t size, int32_t dpi) {
    AxisCuts cuts{{0}, {0}};
    for (int64_t at = cell; at < size && cuts.From.size() <= 4; at += cell) {
        cuts.From.push_back(at);
        cuts.To.push_back(cuts.To.back() + cellTo);
    }
    const int64_t rest = size - cuts.From.back();
    cuts.To.push_back(cuts.To.back() + (rest == cell ? cellTo : ScaleForDpi(Saturate(rest), dpi)));
    cuts.From.push_back(size);
    return cuts;
}

// The runs of an axis, where both the run and its scaled length have pixels; places past the
// largest number an image can have are held there.
struct Run {
    int32_t From = 0;
    int32_t FromLength = 0;
    int32_t To = 0;
    int32_t ToLength = 0;
};
std::vector<Run> RunsOf(const AxisCuts& cuts) {
    std::vector<Run> runs;
    for (size_t i = 0; i + 1 < cuts.From.size(); ++i) {
        const int32_t to = Saturate(cuts.To[i]);
        const int32_t toEnd = Saturate(cuts.To[i + 1]);
        if (cuts.From[i + 1] > cuts.From[i] && toEnd > to) {
            runs.push_back({static_cast<int32_t>(cuts.From[i]),
                            static_cast<int32_t>(cuts.From[i + 1] - cuts.From[i]), to, toEnd - to});
        }
    }
    return runs;
}

} // namespace

SkinItemFields ScaleItemFields(int32_t item, SkinItemFields fields, int32_t dpi) {
    const auto held = [](int64_t number) {
        return static_cast<int32_t>(
            std::clamp<int64_t>(number, -SkinCoordinateLimit, SkinCoordinateLimit));
    };
    // The far edge of a side from [start, start + length), as far as the near one is: a place
    // counted from the right or bottom (negative) scales like the same place from the left.
    const auto side = [&](int32_t start, int32_t length) {
        if (item == 0) {
            return held(ScaleForDpi(length, dpi));
        }
        return held(int64_t{ScaleForDpi(Saturate(int64_t{start} + length), dpi)} -
                    ScaleForDpi(start, dpi));
    };
    fields.Width = side(fields.X, fields.Width);
    fields.Height = side(fields.Y, fields.Height);
    fields.X = held(ScaleForDpi(fields.X, dpi));
    fields.Y = held(ScaleForDpi(fields.Y, dpi));
    return fields;
}

ImageScalePlan PlanImageScale(int32_t item, const SkinItemFields& fields, int32_t imageWidth,
                              int32_t imageHeight, int32_t dpi) {
    ImageScalePlan plan{{}, imageWidth, imageHeight};
    if (UsableDpi(dpi) == DesignDpi || imageWidth <= 0 || imageHeight <= 0) {
        return plan;
    }
    AxisCuts across;
    AxisCuts down;
    if (item == 0) {
        across = Borders(fields.X, fields.Width, imageWidth, dpi);
        down = Borders(fields.Y, fields.Height, imageHeight, dpi);
    } else {
        const SkinItemFields scaled = ScaleItemFields(item, fields, dpi);
        const bool cells = fields.Stretch != 1 && fields.Width != imageWidth && fields.Width > 0;
        across = cells ? Cells(fields.Width, scaled.Width, imageWidth, dpi)
                       : Side(imageWidth, fields.Width, scaled.Width, dpi);
        down = Side(imageHeight, fields.Height, scaled.Height, dpi);
    }
    plan.Width = Saturate(across.To.back());
    plan.Height = Saturate(down.To.back());
    for (const Run& row : RunsOf(down)) {
        for (const Run& column : RunsOf(across)) {
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
