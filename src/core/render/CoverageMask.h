// Which pixels of a graph layer the graph covers: the mask that cuts the graph's shape out of the
// board before the graph layer is laid over it. One byte a pixel, a quarter of a surface's memory,
// and a quarter of the bytes to move when the graph scrolls.
#pragma once

#include <cstdint>
#include <vector>

namespace moravel {

class CoverageMask {
  public:
    CoverageMask() = default;
    CoverageMask(std::int32_t width, std::int32_t height) { Resize(width, height); }

    // Sizes below 0 count as 0. Everything clear afterwards.
    void Resize(std::int32_t width, std::int32_t height);
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }

    // Nothing covered.
    void Clear();
    // Whether (x, y) is covered; false outside the mask.
    bool Covered(std::int32_t x, std::int32_t y) const;
    // Every row from `fromRow` down moved left by `n` pixels, the `n` columns at the right clear.
    void ScrollLeft(std::int32_t n, std::int32_t fromRow = 0);
    // The first row with a covered pixel; Height() when none is.
    std::int32_t FirstCoveredRow() const;
    // Covers the pixels a line from (x1, y1) towards (x2, y2) draws with a solid pen.
    void CoverLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);

    // Row y: 1 where covered, 0 where clear.
    const std::uint8_t* Row(std::int32_t y) const {
        return cells_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }

  private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::vector<std::uint8_t> cells_;
};

}  // namespace moravel
