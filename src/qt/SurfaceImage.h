// The one way a core Surface becomes a Qt image: the window's frame, the theme editor's previews
// and moravel-tool's pictures all go through it.
#pragma once

#include <QImage>

#include "core/render/Surface.h"

namespace moravel {

// The surface's pixels seen as a QImage, without a copy: valid while the surface lives and keeps
// its size. Copy it (QImage::copy) to keep the picture longer.
QImage SurfaceImage(const Surface& surface);

}  // namespace moravel
