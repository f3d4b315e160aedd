#include "win32/SurfaceDisplay.h"

namespace moravel {

bool PaintSurface(HDC dc, std::int32_t x, std::int32_t y, const Surface& surface) {
    const std::int32_t width = surface.Width();
    const std::int32_t height = surface.Height();
    if (width <= 0 || height <= 0) {
        return false;
    }
    // The surface's pixel words are a 32-bit DIB's: shown as they are.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as the surface's rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0,
                             0, static_cast<UINT>(height), surface.Pixels(), &info,
                             DIB_RGB_COLORS) != 0;
}

}  // namespace moravel
