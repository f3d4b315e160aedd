// Tray icons made from the core's icon images.
#pragma once

#include "core/tray/IconImage.h"
#include "win32/Handles.h"

namespace moravel {

// The icon of `image` through CreateIconIndirect: its colour image as a 32-bit bitmap whose alpha
// agrees with the mask (opaque where it is clear, fully transparent where it is set) and its mask
// as a monochrome bitmap, set bits transparent. Without the alpha Wine's tray showed the margin of
// a 24-pixel icon black. An empty handle for an image of size 0 or when the system refuses.
IconHandle MakeIconHandle(const IconImage& image);

}  // namespace moravel
