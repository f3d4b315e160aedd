// A coverage mask as the black-and-white picture a SRCAND takes: black where covered, white
// elsewhere. Lets tests compare a mask with surfaces and look at it with the pixel helpers.
#pragma once

#include "core/render/CoverageMask.h"
#include "core/render/Surface.h"

namespace moravel::test {

inline Surface MaskPicture(const CoverageMask& mask) {
    Surface picture(mask.Width(), mask.Height());
    picture.SetBackColor(0xFFFFFF);
    picture.Clear();
    for (std::int32_t y = 0; y < mask.Height(); ++y) {
        for (std::int32_t x = 0; x < mask.Width(); ++x) {
            if (mask.Covered(x, y)) {
                picture.SetPixel(x, y, 0x000000);
            }
        }
    }
    return picture;
}

}  // namespace moravel::test
