// Showing a finished frame of the renderer on a window's device context.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/render/Surface.h"

namespace moravel {

// Copies `surface` whole to (x, y) of `dc` in one SetDIBitsToDevice. The surface keeps 0x00BBGGRR
// pixels while a 32-bit DIB wants blue in the low byte, so the pixels pass through `scratch`,
// which grows to the largest frame shown and is then reused. False when nothing could be shown.
bool PaintSurface(HDC dc, std::int32_t x, std::int32_t y, const Surface& surface,
                  std::vector<std::uint32_t>& scratch);

}  // namespace moravel
