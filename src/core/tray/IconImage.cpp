#include "core/tray/IconImage.h"

#include <algorithm>

namespace moravel {

IconImage::IconImage(std::int32_t size)
    : size_(size < 0 ? 0 : size),
      color_(static_cast<std::size_t>(size_) * static_cast<std::size_t>(size_), 0),
      mask_(static_cast<std::size_t>(MaskStride()) * static_cast<std::size_t>(size_), 0xFF) {}

bool IconImage::IsTransparent(std::int32_t x, std::int32_t y) const {
    const std::uint8_t byte = mask_[MaskIndex(x, y)];
    return (byte & (0x80 >> (x % 8))) != 0;
}

void IconImage::SetOpaque(std::int32_t x, std::int32_t y, Colour color) {
    color_[Index(x, y)] = ToPixel(color & kColourBits);
    mask_[MaskIndex(x, y)] &= static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
}

bool IconImage::Assign(const PixelView& picture, Colour transparentColor) {
    const bool readable = picture.width > 0 && picture.height >= 0 &&
                          picture.pixels.size() >= static_cast<std::size_t>(picture.width) *
                                                       static_cast<std::size_t>(picture.height);
    const std::int32_t size = readable ? picture.width : 0;
    bool changed = false;
    if (size != size_) {
        *this = IconImage(size);
        changed = true;
    }
    const PixelWord clear = ToPixel(transparentColor & kColourBits);
    const std::int32_t rows = std::min(readable ? picture.height : 0, size);
    for (std::int32_t y = 0; y < size; ++y) {
        for (std::int32_t x = 0; x < size; ++x) {
            // Rows the picture does not have are transparent; transparent pixels are black.
            // The picture's rows are as long as the icon is wide.
            PixelWord pixel = y < rows ? picture.pixels[Index(x, y)] & kColourBits : clear;
            const bool transparent = pixel == clear;
            if (transparent) {
                pixel = 0;
            }
            std::uint8_t& bits = mask_[MaskIndex(x, y)];
            const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
            if (color_[Index(x, y)] != pixel || ((bits & bit) != 0) != transparent) {
                changed = true;
                color_[Index(x, y)] = pixel;
                bits = static_cast<std::uint8_t>(transparent ? bits | bit : bits & ~bit);
            }
        }
    }
    return changed;
}

IconImage MakeIconImage(const PixelView& picture, Colour transparentColor) {
    IconImage icon;
    icon.Assign(picture, transparentColor);
    return icon;
}

namespace {

PixelView ViewOf(const Surface& picture) {
    const std::size_t count =
        static_cast<std::size_t>(picture.Width()) * static_cast<std::size_t>(picture.Height());
    return PixelView{std::span<const PixelWord>(picture.Pixels(), count), picture.Width(),
                     picture.Height()};
}

}  // namespace

IconImage MakeIconImage(const Surface& picture, Colour transparentColor) {
    return MakeIconImage(ViewOf(picture), ResolveColour(transparentColor));
}

bool UpdateIconImage(IconImage& icon, const Surface& picture, Colour transparentColor) {
    return icon.Assign(ViewOf(picture), ResolveColour(transparentColor));
}

IconImage EnlargedIcon(const IconImage& icon, std::int32_t traySize) {
    const std::int32_t size = icon.size();
    if (size <= 0 || traySize <= size) {
        return icon;
    }
    const std::int32_t factor = traySize / size;
    const std::int32_t offset = (traySize - size * factor) / 2;
    IconImage out(traySize);
    for (std::int32_t y = 0; y < size * factor; ++y) {
        for (std::int32_t x = 0; x < size * factor; ++x) {
            const std::int32_t fromX = x / factor;
            const std::int32_t fromY = y / factor;
            if (!icon.IsTransparent(fromX, fromY)) {
                out.SetOpaque(offset + x, offset + y, icon.ColorAt(fromX, fromY));
            }
        }
    }
    return out;
}

}  // namespace moravel
