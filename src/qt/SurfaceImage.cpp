#include "qt/SurfaceImage.h"

namespace moravel {

QImage SurfaceImage(const Surface& surface) {
    // The surface's pixel words (0x00RRGGBB) are Format_RGB32 as they are: the raster engine
    // copies them onto an opaque window's backing store without a conversion. The top byte is 0
    // where Qt would write 0xFF; Qt never reads it as alpha in this format.
    return QImage(reinterpret_cast<const uchar*>(surface.Pixels()), surface.Width(),
                  surface.Height(), static_cast<qsizetype>(surface.Width()) * 4,
                  QImage::Format_RGB32);
}

}  // namespace moravel
