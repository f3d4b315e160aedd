// Showing a finished frame of the renderer on a window's device context.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/render/Surface.h"

namespace moravel {

// Copies `surface` whole to (x, y) of `dc` in one SetDIBitsToDevice: its pixel words are a
// 32-bit DIB's. False when nothing could be shown.
bool PaintSurface(HDC dc, std::int32_t x, std::int32_t y, const Surface& surface);

}  // namespace moravel
