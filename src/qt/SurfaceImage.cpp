#include "qt/SurfaceImage.h"

namespace moravel {

QImage SurfaceImage(const Surface& surface) {
    // 0x00BBGGRR words are the bytes R, G, B, X in memory: RGBX8888 reads them as they are.
    return QImage(reinterpret_cast<const uchar*>(surface.Pixels()), surface.Width(),
                  surface.Height(), surface.Width() * 4, QImage::Format_RGBX8888);
}

}  // namespace moravel
