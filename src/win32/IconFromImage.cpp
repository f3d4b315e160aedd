#include "win32/IconFromImage.h"

#include <cstring>

namespace moravel {
namespace {

// A top-down 32-bit DIB section holding the icon's colours in the DIB's byte order.
BitmapHandle ColourBitmap(const IconImage& image) {
    const std::int32_t size = image.size();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        return {};
    }
    auto* out = static_cast<std::uint32_t*>(bits);
    // The icon's pixel words are a 32-bit DIB's already; opaque where the mask is clear.
    for (std::int32_t y = 0; y < size; ++y) {
        for (std::int32_t x = 0; x < size; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * size + x);
            out[i] = image.color()[i] | (image.IsTransparent(x, y) ? 0u : 0xFF000000u);
        }
    }
    GdiFlush();
    return bitmap;
}

}  // namespace

IconHandle MakeIconHandle(const IconImage& image) {
    const std::int32_t size = image.size();
    if (size <= 0) {
        return {};
    }
    BitmapHandle colour = ColourBitmap(image);
    // CreateBitmap wants rows padded to 2 bytes, which is the icon image's mask stride.
    BitmapHandle mask(CreateBitmap(size, size, 1, 1, image.mask().data()));
    if (!colour || !mask) {
        return {};
    }
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmColor = colour.get();
    info.hbmMask = mask.get();
    // The icon keeps copies of both bitmaps; ours go when this returns.
    return IconHandle(CreateIconIndirect(&info));
}

}  // namespace moravel
