#include "win32/SurfaceDisplay.h"

#include <algorithm>

namespace moravel {
namespace {

// The surface's pixel words are a 32-bit DIB's: shown as they are.
BITMAPINFO SurfaceBitmapInfo(const Surface& surface) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = surface.Width();
    info.bmiHeader.biHeight = -surface.Height();  // top-down, as the surface's rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace

bool PaintSurface(HDC dc, std::int32_t x, std::int32_t y, const Surface& surface) {
    const std::int32_t width = surface.Width();
    const std::int32_t height = surface.Height();
    if (width <= 0 || height <= 0) {
        return false;
    }
    const BITMAPINFO info = SurfaceBitmapInfo(surface);
    return SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0,
                             0, static_cast<UINT>(height), surface.Pixels(), &info,
                             DIB_RGB_COLORS) != 0;
}

bool PaintSurfaceScaled(HDC dc, std::int32_t x, std::int32_t y, const Surface& surface,
                        std::int32_t factor) {
    if (factor <= 1) {
        return PaintSurface(dc, x, y, surface);
    }
    const std::int32_t width = surface.Width();
    const std::int32_t height = surface.Height();
    if (width <= 0 || height <= 0) {
        return false;
    }
    const BITMAPINFO info = SurfaceBitmapInfo(surface);
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    const int lines = StretchDIBits(dc, x, y, width * factor, height * factor, 0, 0, width, height,
                                    surface.Pixels(), &info, DIB_RGB_COLORS, SRCCOPY);
    if (oldMode != 0) {
        SetStretchBltMode(dc, oldMode);
    }
    return lines > 0;
}

void PaintFrame(HDC dc, std::int32_t width, std::int32_t height, const Surface& graph,
                std::int32_t factor, HBRUSH border) {
    const std::int32_t k = std::max(factor, 1);
    if (graph.Width() <= 0 || graph.Height() <= 0) {
        const RECT all = {0, 0, width, height};
        FillRect(dc, &all, border);
        return;
    }
    const std::int32_t right = k + graph.Width() * k;
    const std::int32_t bottom = k + graph.Height() * k;
    const RECT sides[] = {
        {0, 0, width, k}, {0, bottom, width, height}, {0, k, k, bottom}, {right, k, width, bottom}};
    for (const RECT& side : sides) {
        FillRect(dc, &side, border);
    }
    PaintSurfaceScaled(dc, k, k, graph, k);
}

}  // namespace moravel
