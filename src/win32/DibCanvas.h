// A memory device context drawing into a 32-bit top-down DIB section that the program can read:
// GDI draws, the program looks at the pixels. It grows when asked for more room and never
// shrinks, so a canvas used every frame allocates only while it grows.
#pragma once

#include <cstdint>

#include "win32/Handles.h"

namespace moravel {

class DibCanvas {
  public:
    DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    // Makes room for at least width x height pixels (each at least 1). False when the bitmap
    // cannot be made; the canvas then keeps what it had.
    bool Reserve(std::int32_t width, std::int32_t height);

    HDC dc() const { return dc_.get(); }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }

    // The pixel at (x, y) inside the room reserved, as the DIB stores it: blue in the low byte,
    // then green and red; the top byte is not used by GDI's text and line output. Call GdiFlush
    // after drawing and before reading.
    std::uint32_t At(std::int32_t x, std::int32_t y) const {
        return bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                     static_cast<std::size_t>(x)];
    }
    // Sets the w x h rectangle at the top-left corner to `value` (DIB order, as At).
    void Fill(std::int32_t w, std::int32_t h, std::uint32_t value);

  private:
    DcHandle dc_;
    BitmapHandle bitmap_;
    SelectedObject selection_;  // declared last: put back before the bitmap is deleted
    std::uint32_t* bits_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

}  // namespace moravel
