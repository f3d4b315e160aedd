// Small numeric helpers shared by the renderer's files.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/base/Strings.h"

namespace moravel::render_detail {

// The height in pixels of a column of `value` percent on a surface `height` pixels high:
// floor(height * value / 100).
inline std::int32_t ColumnHeight(std::int32_t height, std::int32_t value) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(height) * value / 100);
}

// nint(x): nearest integer, halves to even; kept within +-2^30 so that what a font engine reports
// can never overflow.
inline std::int32_t Nint(double x) {
    if (std::isnan(x)) {
        return 0;
    }
    const double r = RoundHalfEven(std::clamp(x, -1073741824.0, 1073741824.0));
    return static_cast<std::int32_t>(r);
}

}  // namespace moravel::render_detail
