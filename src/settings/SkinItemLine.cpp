#include "settings/SkinItemLine.h"

#include "settings/ProfileNumber.h"

#include <algorithm>
#include <array>

namespace glaze {

std::optional<SkinItemFields> ParseSkinItemLine(std::wstring_view line, SkinItemLineNotes* notes) {
    constexpr size_t FieldCount = 9;
    std::array<std::wstring_view, FieldCount> fields;
    size_t found = 0;
    for (size_t start = 0; found < FieldCount; ++found) {
        const size_t comma = line.find(L',', start);
        fields[found] =
            line.substr(start, comma == std::wstring_view::npos ? line.npos : comma - start);
        if (comma == std::wstring_view::npos) {
            ++found;
            break;
        }
        start = comma + 1;
    }
    SkinItemLineNotes unasked;
    SkinItemLineNotes& seen = notes != nullptr ? *notes : unasked;
    seen = {found, -1, 0};
    if (found < FieldCount) {
        return std::nullopt;
    }

    std::array<int32_t, 7> numbers{};
    for (size_t i = 0; i < numbers.size(); ++i) {
        const auto number = TryProfileNumber(fields[i]);
        if (!number) {
            seen.NumberField = static_cast<int32_t>(i);
            return std::nullopt;
        }
        numbers[i] = *number;
    }
    for (size_t geometry = 1; geometry <= 4; ++geometry) {
        const int32_t held =
            std::clamp(numbers[geometry], -SkinCoordinateLimit, SkinCoordinateLimit);
        if (held != numbers[geometry]) {
            seen.HeldFields |= 1u << geometry;
        }
        numbers[geometry] = held;
    }
    return SkinItemFields{numbers[0],
                          numbers[1],
                          numbers[2],
                          numbers[3],
                          numbers[4],
                          numbers[5],
                          numbers[6],
                          std::wstring(fields[7]),
                          std::wstring(fields[8])};
}

std::wstring SkinItemKey(int32_t item) {
    return L"SKINNUM" + std::to_wstring(item);
}

std::vector<std::wstring> ReadItemLines(const std::function<std::wstring(int32_t item)>& lineOf) {
    std::vector<std::wstring> lines;
    for (int32_t item = 0; item < MaxSkinItems; ++item) {
        std::wstring line = lineOf(item);
        if (line.empty()) {
            break;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace glaze
