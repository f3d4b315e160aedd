// The pixels of a one-pixel line, shared by everything that draws one, so that a surface and the
// mask of its graph agree pixel for pixel.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace moravel::render_detail {

// How far the minor coordinate has moved after `i` of `steps` steps along the major axis, for a
// line whose minor extent is `minor`: rounded to nearest, halves away from the start point. Exact
// for every line that can touch a surface; lines spanning more than 2^30 pixels are computed in
// floating point, so that the product cannot overflow.
inline std::int64_t MinorOffset(std::int64_t i, std::int64_t minor, std::int64_t steps) {
    if (steps <= (std::int64_t{1} << 30)) {
        return (2 * i * minor + steps) / (2 * steps);
    }
    return static_cast<std::int64_t>(std::floor(
        static_cast<double>(i) * static_cast<double>(minor) / static_cast<double>(steps) + 0.5));
}

// Calls plot(step, x, y) for each pixel of the line from (x1, y1) towards (x2, y2) that lies in a
// width x height area, `step` counted from the first pixel; the end point itself is not part of
// the line. Only the steps whose major coordinate lies in the area are walked.
template <class Plot>
void WalkLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
              std::int32_t width, std::int32_t height, Plot plot) {
    const std::int64_t dx = static_cast<std::int64_t>(x2) - x1;
    const std::int64_t dy = static_cast<std::int64_t>(y2) - y1;
    const std::int64_t adx = std::llabs(dx);
    const std::int64_t ady = std::llabs(dy);
    const std::int64_t steps = std::max(adx, ady);
    if (steps == 0) {
        return;
    }
    const std::int64_t stepX = dx < 0 ? -1 : 1;
    const std::int64_t stepY = dy < 0 ? -1 : 1;
    const bool xMajor = adx >= ady;
    const std::int64_t start = xMajor ? x1 : y1;
    const std::int64_t step = xMajor ? stepX : stepY;
    const std::int64_t extent = xMajor ? width : height;
    std::int64_t first = 0;
    std::int64_t last = steps;  // exclusive
    if (step > 0) {
        first = std::max(first, -start);
        last = std::min(last, extent - start);
    } else {
        first = std::max(first, start - extent + 1);
        last = std::min(last, start + 1);
    }
    const std::int64_t minorExtent = xMajor ? ady : adx;
    for (std::int64_t i = first; i < last; ++i) {
        const std::int64_t major = start + step * i;
        // A line along an axis (a graph column, a grid line) keeps its minor coordinate.
        const std::int64_t minor =
            (xMajor ? y1 : x1) +
            (minorExtent == 0 ? 0 : (xMajor ? stepY : stepX) * MinorOffset(i, minorExtent, steps));
        const std::int64_t x = xMajor ? major : minor;
        const std::int64_t y = xMajor ? minor : major;
        if (x >= 0 && y >= 0 && x < width && y < height) {
            plot(i, x, y);
        }
    }
}

}  // namespace moravel::render_detail
