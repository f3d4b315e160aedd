#include "win32/SurfaceDisplay.h"

namespace moravel {

bool PaintSurface(HDC dc, std::int32_t x, std::int32_t y, const Surface& surface,
                  std::vector<std::uint32_t>& scratch) {
    const std::int32_t width = surface.Width();
    const std::int32_t height = surface.Height();
    if (width <= 0 || height <= 0) {
        return false;
    }
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (scratch.size() < count) {
        scratch.resize(count);
    }
    const std::uint32_t* pixels = surface.Pixels();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t c = pixels[i];
        scratch[i] = ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as the surface's rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0,
                             0, static_cast<UINT>(height), scratch.data(), &info,
                             DIB_RGB_COLORS) != 0;
}

}  // namespace moravel
