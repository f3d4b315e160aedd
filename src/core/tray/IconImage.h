// The picture side of a tray icon: from a drawn picture and a transparent colour, the colour image
// (black where the picture shows the transparent colour) and the 1-bit mask (set there), the two
// halves every desktop's icon format is made of.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/render/Colour.h"
#include "core/render/Surface.h"

namespace moravel {

// Pixel words row by row, `width` per row, as a Surface stores them (0x00RRGGBB; the top byte is
// not looked at).
struct PixelView {
    std::span<const PixelWord> pixels;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

class IconImage {
  public:
    // An icon of size x size pixels, all transparent.
    explicit IconImage(std::int32_t size = 0);

    std::int32_t size() const { return size_; }

    // The colour image as pixel words (0x00RRGGBB, the layout of a 32-bit DIB and of Qt's
    // Format_RGB32), row by row; black where the mask is set.
    const std::vector<PixelWord>& color() const { return color_; }
    // The colour (0x00BBGGRR) at (x, y).
    Colour ColorAt(std::int32_t x, std::int32_t y) const { return ToColour(color_[Index(x, y)]); }

    // The mask as a monochrome bitmap: one bit per pixel, the leftmost pixel in the highest bit,
    // rows of MaskStride() bytes (a multiple of 2, as monochrome bitmaps want); 1 = transparent.
    const std::vector<std::uint8_t>& mask() const { return mask_; }
    std::int32_t MaskStride() const { return ((size_ + 15) / 16) * 2; }
    bool IsTransparent(std::int32_t x, std::int32_t y) const;

    // Makes (x, y) opaque in `color` (0x00BBGGRR).
    void SetOpaque(std::int32_t x, std::int32_t y, Colour color);

    // Becomes the icon of `picture` (see MakeIconImage), in the memory it has while the size
    // stays. Returns whether anything changed: the size, a colour or the mask.
    bool Assign(const PixelView& picture, Colour transparentColor);

    bool operator==(const IconImage&) const = default;

  private:
    // The byte of the mask that holds (x, y).
    std::size_t MaskIndex(std::int32_t x, std::int32_t y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(MaskStride()) +
               static_cast<std::size_t>(x / 8);
    }
    std::size_t Index(std::int32_t x, std::int32_t y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(size_) +
               static_cast<std::size_t>(x);
    }

    std::int32_t size_ = 0;
    std::vector<PixelWord> color_;
    std::vector<std::uint8_t> mask_;
};

// The icon of `picture`: as wide as the picture and as high as it is wide, taken from its top-left
// corner. Pixels of `transparentColor` (0x00BBGGRR, already resolved if it named a system colour)
// become transparent, and so do rows the picture does not have. A picture without pixels, or one
// whose pixel span is shorter than its size, gives an icon of size 0.
IconImage MakeIconImage(const PixelView& picture, Colour transparentColor);

// The icon of a drawn surface; a system colour (the button face, as the tray icon's frame pictures
// use) is resolved through the current system colour table at the time of the call.
IconImage MakeIconImage(const Surface& picture, Colour transparentColor);

// Makes `icon` the icon MakeIconImage gives for `picture`, in the memory it has (none is taken
// while the size stays). Returns whether anything changed (size, a colour or the mask), so that an
// icon the tray already shows is not handed to it again.
bool UpdateIconImage(IconImage& icon, const Surface& picture, Colour transparentColor);

// The icon a tray of `traySize` × `traySize` pixels is handed for `icon`: enlarged by the largest
// whole factor that fits (each pixel a factor × factor square, never smoothed) and centred, the
// pixels round it transparent; a tray of 32 pixels shows the 16-pixel graph twice as large, one of
// 24 shows it as it is with a transparent margin. A tray smaller than the icon gets the icon as it
// is (the system shrinks it).
IconImage EnlargedIcon(const IconImage& icon, std::int32_t traySize);

}  // namespace moravel
