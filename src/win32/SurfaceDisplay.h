// Showing a finished frame of the renderer on a window's device context.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/render/Surface.h"

namespace moravel {

// Copies `surface` whole to (x, y) of `dc` in one SetDIBitsToDevice: its pixel words are a
// 32-bit DIB's. False when nothing could be shown.
bool PaintSurface(HDC dc, std::int32_t x, std::int32_t y, const Surface& surface);
// Shows `surface` at (x, y) with each of its pixels a `factor` x `factor` square of `dc`'s
// pixels, nearest pixel and never smoothed (one StretchDIBits in COLORONCOLOR mode); a factor
// of 1 or less shows it as PaintSurface does.
bool PaintSurfaceScaled(HDC dc, std::int32_t x, std::int32_t y, const Surface& surface,
                        std::int32_t factor);

// The window's frame in a client area of `width` x `height` device pixels: `graph` enlarged
// `factor` times inside a border `factor` pixels wide, in `border`; the device pixels the frame
// pixels leave over at the right and bottom are the border's too.
void PaintFrame(HDC dc, std::int32_t width, std::int32_t height, const Surface& graph,
                std::int32_t factor, HBRUSH border);

}  // namespace moravel
