#include "core/tray/IconImage.h"

namespace moravel {
namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFF;

}  // namespace

IconImage::IconImage(std::int32_t size)
    : size_(size < 0 ? 0 : size),
      color_(static_cast<std::size_t>(size_) * static_cast<std::size_t>(size_), 0),
      mask_(static_cast<std::size_t>(MaskStride()) * static_cast<std::size_t>(size_), 0xFF) {}

bool IconImage::IsTransparent(std::int32_t x, std::int32_t y) const {
    const std::uint8_t byte = mask_[static_cast<std::size_t>(y * MaskStride() + x / 8)];
    return (byte & (0x80 >> (x % 8))) != 0;
}

void IconImage::SetOpaque(std::int32_t x, std::int32_t y, std::uint32_t color) {
    color_[Index(x, y)] = color & kRgbMask;
    mask_[static_cast<std::size_t>(y * MaskStride() + x / 8)] &=
        static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
}

IconImage MakeIconImage(const PixelView& picture, std::uint32_t transparentColor) {
    const std::int32_t size = picture.width;
    if (size <= 0 || picture.height < 0 ||
        picture.pixels.size() <
            static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height)) {
        return IconImage(0);
    }
    IconImage icon(size);
    const std::uint32_t clear = transparentColor & kRgbMask;
    const std::int32_t rows = picture.height < size ? picture.height : size;
    for (std::int32_t y = 0; y < rows; ++y) {
        for (std::int32_t x = 0; x < size; ++x) {
            const std::uint32_t pixel =
                picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(size) +
                               static_cast<std::size_t>(x)] &
                kRgbMask;
            if (pixel != clear) {
                icon.SetOpaque(x, y, pixel);
            }
        }
    }
    return icon;
}

IconImage MakeIconImage(const Surface& picture, Colour transparentColor) {
    const std::size_t count =
        static_cast<std::size_t>(picture.Width()) * static_cast<std::size_t>(picture.Height());
    return MakeIconImage(PixelView{std::span<const std::uint32_t>(picture.Pixels(), count),
                                   picture.Width(), picture.Height()},
                         ResolveColour(transparentColor));
}

IconImage ScaleIconImage(const IconImage& icon, std::int32_t factor) {
    factor = factor < 1 ? 1 : factor;
    IconImage scaled(icon.size() * factor);
    for (std::int32_t y = 0; y < scaled.size(); ++y) {
        for (std::int32_t x = 0; x < scaled.size(); ++x) {
            if (!icon.IsTransparent(x / factor, y / factor)) {
                scaled.SetOpaque(x, y, icon.ColorAt(x / factor, y / factor));
            }
        }
    }
    return scaled;
}

}  // namespace moravel
