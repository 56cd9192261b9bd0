#pragma once
// Portable: conversion of real and wide numbers to the program's 32-bit integers.

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace glaze {

// Nearest 32-bit integer, halves going to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Values outside the 32-bit range have no integer and give nothing.
inline std::optional<int32_t> RoundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(value); // the default rounding mode is to-nearest-even
    if (rounded < static_cast<double>(std::numeric_limits<int32_t>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}

// The 32-bit integer nearest to a 64-bit one: geometry is worked out in 64 bits and saturates
// instead of wrapping.
constexpr int32_t Saturate(int64_t value) {
    return value < std::numeric_limits<int32_t>::min()   ? std::numeric_limits<int32_t>::min()
           : value > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                         : static_cast<int32_t>(value);
}

} // namespace glaze
