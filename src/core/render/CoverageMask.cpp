#include "core/render/CoverageMask.h"

#include <algorithm>
#include <cstring>

#include "core/render/LineWalk.h"

namespace moravel {

void CoverageMask::Resize(std::int32_t width, std::int32_t height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    cells_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
}

void CoverageMask::Clear() {
    std::fill(cells_.begin(), cells_.end(), std::uint8_t{0});
}

bool CoverageMask::Covered(std::int32_t x, std::int32_t y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_ && Row(y)[x] != 0;
}

void CoverageMask::ScrollLeft(std::int32_t n, std::int32_t fromRow) {
    if (n <= 0 || cells_.empty()) {
        return;
    }
    const std::int32_t kept = std::max(width_ - n, 0);
    for (std::int32_t y = std::max(fromRow, 0); y < height_; ++y) {
        std::uint8_t* row = cells_.data() + static_cast<std::size_t>(y) * width_;
        std::memmove(row, row + (width_ - kept), static_cast<std::size_t>(kept));
        std::fill(row + kept, row + width_, std::uint8_t{0});
    }
}

std::int32_t CoverageMask::FirstCoveredRow() const {
    if (cells_.empty()) {
        return height_;
    }
    // A cell is 0 or 1: the first 1 is the first covered pixel.
    const void* found = std::memchr(cells_.data(), 1, cells_.size());
    if (found == nullptr) {
        return height_;
    }
    const auto offset =
        static_cast<std::size_t>(static_cast<const std::uint8_t*>(found) - cells_.data());
    return static_cast<std::int32_t>(offset / static_cast<std::size_t>(width_));
}

void CoverageMask::CoverLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    render_detail::WalkLine(
        x1, y1, x2, y2, width_, height_, [this](std::int64_t, std::int64_t x, std::int64_t y) {
            cells_[static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x)] = 1;
        });
}

}  // namespace moravel
