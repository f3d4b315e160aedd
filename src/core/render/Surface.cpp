#include "core/render/Surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "core/render/FontEngine.h"
#include "core/render/LineWalk.h"

namespace moravel {

namespace {

constexpr std::int32_t kDashOn = 18;
constexpr std::int32_t kDashPeriod = 24;
constexpr std::int32_t kDotOn = 3;
constexpr std::int32_t kDotPeriod = 6;
// Both patterns start again after this many pixels.
constexpr std::int64_t kPenPeriod = std::int64_t{kDashPeriod} * kDotPeriod;

// Whether the pen draws the pixel at `step` along a line (counted from the first pixel).
bool PenDraws(PenStyle pen, std::int32_t step) {
    switch (pen) {
        case PenStyle::Dash:
            return step % kDashPeriod < kDashOn;
        case PenStyle::Dot:
            return step % kDotPeriod < kDotOn;
        case PenStyle::Solid:
            break;
    }
    return true;
}

// One row of a block copy with the operation `combine`. Runs backwards when `backwards`, so an
// overlapping copy within one row reads every source pixel before it is overwritten; a forward
// row is a plain loop the compiler can vectorise.
template <class Op>
void CombineRowWith(PixelWord* d, const PixelWord* s, std::int32_t n, bool backwards, Op combine) {
    if (backwards) {
        for (std::int32_t i = n - 1; i >= 0; --i) {
            d[i] = combine(d[i], s[i]);
        }
    } else {
        for (std::int32_t i = 0; i < n; ++i) {
            d[i] = combine(d[i], s[i]);
        }
    }
}

void CombineRow(PixelWord* d, const PixelWord* s, std::int32_t n, RasterOp op, bool backwards) {
    switch (op) {
        case RasterOp::SrcCopy:
            std::memmove(d, s, static_cast<std::size_t>(n) * sizeof(std::uint32_t));
            return;
        case RasterOp::SrcAnd:
            CombineRowWith(d, s, n, backwards,
                           [](std::uint32_t a, std::uint32_t b) { return a & b; });
            return;
        case RasterOp::SrcInvert:
            CombineRowWith(d, s, n, backwards,
                           [](std::uint32_t a, std::uint32_t b) { return a ^ b; });
            return;
        case RasterOp::DSna:
            CombineRowWith(d, s, n, backwards,
                           [](std::uint32_t a, std::uint32_t b) { return a & ~b & kColourBits; });
            return;
    }
}

// A rectangle of `n` pixels along one axis starting at `d` on a destination of extent `dLimit`,
// read from `s` on a source of extent `sLimit`, narrowed to what lies inside both. Returns the
// pixel count left (0 or less: nothing to do).
std::int64_t ClipSpan(std::int64_t& d, std::int64_t& s, std::int64_t n, std::int64_t dLimit,
                      std::int64_t sLimit) {
    if (d < 0) {
        n += d;
        s -= d;
        d = 0;
    }
    if (s < 0) {
        n += s;
        d -= s;
        s = 0;
    }
    n = std::min({n, dLimit - d, sLimit - s});
    return n;
}

// `over` laid on `under` with coverage 0..255: each of the three channels mixed linearly,
// (fg * coverage + bg * (255 - coverage) + 127) / 255. The channels are mixed alike, so it does not
// matter which byte holds which. The outer two channels are mixed side by side in 16-bit lanes
// (no lane exceeds 65407), and x / 255 is (x + 1 + (x >> 8)) >> 8 for every x below 65535.
PixelWord Blend(PixelWord over, PixelWord under, std::uint32_t coverage) {
    const std::uint32_t rest = 255 - coverage;
    std::uint32_t outer = (over & 0xFF00FFu) * coverage + (under & 0xFF00FFu) * rest + 0x7F007Fu;
    std::uint32_t middle = ((over >> 8) & 0xFFu) * coverage + ((under >> 8) & 0xFFu) * rest + 0x7Fu;
    outer = ((outer + 0x10001u + ((outer >> 8) & 0xFF00FFu)) >> 8) & 0xFF00FFu;
    middle = (middle + 1 + (middle >> 8)) >> 8;
    return outer | (middle << 8);
}

// Rows of a masked composition: a covered pixel (1) keeps nothing of the board. The rows are of
// different buffers, so nothing read is written (which lets the compiler vectorise the loops).
inline PixelWord KeptOf(std::uint8_t covered) {
    return static_cast<PixelWord>(covered) - 1;  // 0 where covered, every bit where clear
}

void MaskRow(PixelWord* __restrict d, const PixelWord* __restrict board,
             const std::uint8_t* __restrict mask, std::int32_t n) {
    for (std::int32_t i = 0; i < n; ++i) {
        d[i] = board[i] & KeptOf(mask[i]);
    }
}

void MaskAndInvertRow(PixelWord* __restrict d, const PixelWord* __restrict board,
                      const std::uint8_t* __restrict mask, const PixelWord* __restrict graph,
                      std::int32_t n) {
    for (std::int32_t i = 0; i < n; ++i) {
        d[i] = (board[i] & KeptOf(mask[i])) ^ graph[i];
    }
}

}  // namespace

bool FontSizeAllowed(double points) {
    return points >= kMinFontPoints && points <= kMaxFontPoints;
}

Surface::Surface() : Surface(1, 1) {}

Surface::Surface(std::int32_t width, std::int32_t height) {
    Resize(width, height);
}

void Surface::Resize(std::int32_t width, std::int32_t height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    Clear();
}

void Surface::Release() {
    std::vector<PixelWord>().swap(pixels_);
    Resize(1, 1);
}

bool Surface::SetFontFace(FontEngine& engine, std::string_view face) {
    if (!engine.HasFace(face)) {
        return false;
    }
    font_.face.assign(face);
    return true;
}

bool Surface::SetFontSize(double points) {
    if (!FontSizeAllowed(points)) {
        return false;
    }
    font_.points = points;
    return true;
}

Colour Surface::Pixel(std::int32_t x, std::int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    return ToColour(pixels_[static_cast<std::size_t>(y) * width_ + x]);
}

void Surface::SetPixel(std::int32_t x, std::int32_t y, Colour colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    const std::size_t offset = static_cast<std::size_t>(y) * width_ + x;
    pixels_[offset] = ToPixel(ResolveColour(colour));
    if (log_ != nullptr) {
        log_->Add(offset, pixels_[offset], 255);
    }
    if (rows_ != nullptr) {
        rows_->Add(y);
    }
}

void Surface::BlendPixel(std::int32_t x, std::int32_t y, Colour colour, std::uint8_t coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || coverage == 0) {
        return;
    }
    const std::size_t offset = static_cast<std::size_t>(y) * width_ + x;
    const PixelWord c = ToPixel(ResolveColour(colour));
    pixels_[offset] = coverage == 255 ? c : Blend(c, pixels_[offset], coverage);
    if (log_ != nullptr) {
        log_->Add(offset, c, coverage);
    }
    if (rows_ != nullptr) {
        rows_->Add(y);
    }
}

void Surface::BlendRow(std::int32_t x, std::int32_t y, Colour colour, const std::uint8_t* coverage,
                       std::int32_t count) {
    if (y < 0 || y >= height_) {
        return;
    }
    // The part of the row on the surface.
    const std::int32_t first = std::max(0, -x);
    const std::int32_t last = static_cast<std::int32_t>(
        std::min<std::int64_t>(count, static_cast<std::int64_t>(width_) - x));
    const PixelWord c = ToPixel(ResolveColour(colour));
    const std::size_t rowStart = static_cast<std::size_t>(y) * width_;
    if (rows_ != nullptr && first < last) {
        rows_->Add(y);
    }
    for (std::int32_t i = first; i < last; ++i) {
        const std::uint32_t a = coverage[i];
        if (a == 0) {
            continue;
        }
        const std::size_t offset = rowStart + static_cast<std::size_t>(x + i);
        pixels_[offset] = a == 255 ? c : Blend(c, pixels_[offset], a);
        if (log_ != nullptr) {
            log_->Add(offset, c, a);
        }
    }
}

void Surface::Replay(const PixelLog& log, std::size_t begin, std::size_t end) {
    end = std::min(end, log.entries_.size());
    std::size_t lowest = SIZE_MAX;
    std::size_t highest = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const PixelLog::Entry e = log.entries_[i];
        if (e.offset >= pixels_.size()) {
            continue;
        }
        const std::uint32_t coverage = e.pixel >> 24;
        const PixelWord pixel = e.pixel & kColourBits;
        pixels_[e.offset] = coverage == 255 ? pixel : Blend(pixel, pixels_[e.offset], coverage);
        lowest = std::min<std::size_t>(lowest, e.offset);
        highest = std::max<std::size_t>(highest, e.offset);
    }
    if (rows_ != nullptr && lowest <= highest) {
        rows_->Add(static_cast<std::int32_t>(lowest / static_cast<std::size_t>(width_)));
        rows_->Add(static_cast<std::int32_t>(highest / static_cast<std::size_t>(width_)));
    }
}

void Surface::Clear() {
    std::fill(pixels_.begin(), pixels_.end(), ToPixel(ResolveColour(backColor_)));
}

void Surface::BitBlt(std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h,
                     const Surface& source, std::int32_t sx, std::int32_t sy, RasterOp op) {
    std::int64_t x0 = dx, sx0 = sx, y0 = dy, sy0 = sy;
    const std::int64_t cols = ClipSpan(x0, sx0, w, width_, source.width_);
    const std::int64_t rows = ClipSpan(y0, sy0, h, height_, source.height_);
    if (cols <= 0 || rows <= 0) {
        return;
    }
    const bool same = &source == this;
    // Within one surface: rows bottom-up when moving down, pixels right-to-left when moving right
    // along the same row, so nothing is read after it has been written.
    const bool bottomUp = same && y0 > sy0;
    const bool backwards = same && y0 == sy0 && x0 > sx0;
    for (std::int64_t r = 0; r < rows; ++r) {
        const std::int64_t row = bottomUp ? rows - 1 - r : r;
        PixelWord* d = pixels_.data() + (y0 + row) * width_ + x0;
        const PixelWord* s = source.pixels_.data() + (sy0 + row) * source.width_ + sx0;
        CombineRow(d, s, static_cast<std::int32_t>(cols), op, backwards);
    }
}

void Surface::ScrollLeft(std::int32_t n, Colour fill, std::int32_t fromRow) {
    if (n <= 0 || pixels_.empty()) {
        return;
    }
    const std::int32_t kept = std::max(width_ - n, 0);
    const PixelWord c = ToPixel(ResolveColour(fill));
    for (std::int32_t y = std::max(fromRow, 0); y < height_; ++y) {
        PixelWord* row = pixels_.data() + static_cast<std::size_t>(y) * width_;
        std::memmove(row, row + (width_ - kept),
                     static_cast<std::size_t>(kept) * sizeof(PixelWord));
        std::fill(row + kept, row + width_, c);
    }
}

void Surface::CutOut(const CoverageMask& mask) {
    const std::int32_t w = std::min(width_, mask.Width());
    const std::int32_t h = std::min(height_, mask.Height());
    for (std::int32_t y = 0; y < h; ++y) {
        PixelWord* d = pixels_.data() + static_cast<std::size_t>(y) * width_;
        const std::uint8_t* m = mask.Row(y);
        for (std::int32_t x = 0; x < w; ++x) {
            d[x] &= KeptOf(m[x]);
        }
    }
}

void Surface::ComposeMasked(const Surface& board, const CoverageMask& mask, const Surface* graph,
                            std::int32_t top, std::int32_t bottom) {
    const auto fits = [this](const Surface& source) {
        return &source != this && source.width_ >= width_ && source.height_ >= height_;
    };
    if (!fits(board) || mask.Width() < width_ || mask.Height() < height_ ||
        (graph != nullptr && !fits(*graph))) {
        BitBlt(0, 0, width_, height_, board, 0, 0, RasterOp::SrcCopy);
        CutOut(mask);
        if (graph != nullptr) {
            BitBlt(0, 0, width_, height_, *graph, 0, 0, RasterOp::SrcInvert);
        }
        return;
    }
    const auto row = [](const Surface& s, std::int32_t y) {
        return s.pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(s.width_);
    };
    for (std::int32_t y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
        PixelWord* d = pixels_.data() + static_cast<std::size_t>(y) * width_;
        if (graph == nullptr) {
            MaskRow(d, row(board, y), mask.Row(y), width_);
        } else {
            MaskAndInvertRow(d, row(board, y), mask.Row(y), row(*graph, y), width_);
        }
    }
}

void Surface::Settle(PixelLog& log) {
    // The unused top byte of the pixels marks those set outright (1) and, once their one entry is
    // written, those done (2); it is 0 again at the end.
    constexpr PixelWord kSet = 0x01000000;
    constexpr PixelWord kDone = 0x02000000;
    std::vector<PixelLog::Entry>& entries = log.entries_;
    for (const PixelLog::Entry& e : entries) {
        if (e.offset < pixels_.size() && (e.pixel >> 24) == 255) {
            pixels_[e.offset] |= kSet;
        }
    }
    std::size_t kept = 0;
    for (const PixelLog::Entry& e : entries) {
        if (e.offset >= pixels_.size()) {
            continue;  // not of this surface: replaying it would do nothing
        }
        PixelWord& p = pixels_[e.offset];
        if ((p & ~kColourBits) == 0) {
            entries[kept++] = e;  // blended only: as it was
        } else if ((p & kDone) == 0) {
            entries[kept++] = {e.offset, (p & kColourBits) | 0xFF000000u};
            p = (p & kColourBits) | kDone;
        }
    }
    entries.resize(kept);
    for (const PixelLog::Entry& e : entries) {
        if (e.offset < pixels_.size()) {
            pixels_[e.offset] &= kColourBits;
        }
    }
}

void Surface::ReplayUnder(const PixelLog& log, std::size_t begin, std::size_t end,
                          const Surface& graph) {
    if (graph.width_ != width_ || graph.height_ != height_) {
        return;
    }
    end = std::min(end, log.entries_.size());
    for (std::size_t i = begin; i < end; ++i) {
        const PixelLog::Entry e = log.entries_[i];
        if (e.offset >= pixels_.size()) {
            continue;
        }
        // The pixel as it was before the exclusive or, written, and the exclusive or again.
        const PixelWord g = graph.pixels_[e.offset];
        const std::uint32_t coverage = e.pixel >> 24;
        const PixelWord pixel = e.pixel & kColourBits;
        const PixelWord under = pixels_[e.offset] ^ g;
        pixels_[e.offset] = (coverage == 255 ? pixel : Blend(pixel, under, coverage)) ^ g;
    }
}

void Surface::StretchBlt(std::int32_t dx, std::int32_t dy, std::int32_t dw, std::int32_t dh,
                         const Surface& source, std::int32_t sx, std::int32_t sy, std::int32_t sw,
                         std::int32_t sh) {
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || &source == this) {
        return;
    }
    // Destination pixel i of the rectangle shows the source pixel under its centre,
    // (2i + 1) * sw / (2 dw); a centre that falls exactly between two source pixels takes the
    // upper (left) one, so halving keeps the first pixel and same-size copies are exact.
    const std::int64_t xBegin = std::max<std::int64_t>(0, -static_cast<std::int64_t>(dx));
    const std::int64_t xEnd = std::min<std::int64_t>(dw, static_cast<std::int64_t>(width_) - dx);
    const std::int64_t yBegin = std::max<std::int64_t>(0, -static_cast<std::int64_t>(dy));
    const std::int64_t yEnd = std::min<std::int64_t>(dh, static_cast<std::int64_t>(height_) - dy);
    for (std::int64_t j = yBegin; j < yEnd; ++j) {
        const std::int64_t srcY = sy + ((2 * j + 1) * sh - 1) / (2 * static_cast<std::int64_t>(dh));
        if (srcY < 0 || srcY >= source.height_) {
            continue;
        }
        PixelWord* d = pixels_.data() + (dy + j) * width_;
        const PixelWord* s = source.pixels_.data() + srcY * source.width_;
        for (std::int64_t i = xBegin; i < xEnd; ++i) {
            const std::int64_t srcX =
                sx + ((2 * i + 1) * sw - 1) / (2 * static_cast<std::int64_t>(dw));
            if (srcX >= 0 && srcX < source.width_) {
                d[dx + i] = s[srcX];
            }
        }
    }
}

void Surface::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                       Colour colour) {
    if (x1 == x2 && y1 == y2) {
        return;  // before the colour is resolved
    }
    const PixelWord c = ToPixel(ResolveColour(colour));
    render_detail::WalkLine(
        x1, y1, x2, y2, width_, height_, [&](std::int64_t step, std::int64_t x, std::int64_t y) {
            if (pen_ != PenStyle::Solid &&
                !PenDraws(pen_, static_cast<std::int32_t>(step % kPenPeriod))) {
                return;
            }
            const std::size_t offset =
                static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x);
            pixels_[offset] = c;
            if (log_ != nullptr) {
                log_->Add(offset, c, 255);
            }
        });
}

void Surface::FillBox(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                      Colour colour) {
    const std::int32_t left = std::max(std::min(x1, x2), 0);
    const std::int32_t right = std::min(std::max(x1, x2), width_ - 1);
    const std::int32_t top = std::max(std::min(y1, y2), 0);
    const std::int32_t bottom = std::min(std::max(y1, y2), height_ - 1);
    if (left > right || top > bottom) {
        return;
    }
    const PixelWord c = ToPixel(ResolveColour(colour));
    for (std::int32_t y = top; y <= bottom; ++y) {
        PixelWord* row = pixels_.data() + static_cast<std::size_t>(y) * width_;
        std::fill(row + left, row + right + 1, c);
    }
}

void Surface::DrawText(FontEngine& engine, std::int32_t x, std::int32_t y, std::string_view text,
                       Colour colour) {
    engine.Draw(*this, font_, x, y, text, ResolveColour(colour));
}

double Surface::TextWidth(FontEngine& engine, std::string_view text) const {
    return engine.Measure(font_, text).width;
}

double Surface::TextHeight(FontEngine& engine, std::string_view text) const {
    return engine.Measure(font_, text).height;
}

}  // namespace moravel
