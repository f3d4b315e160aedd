// Icon images as Qt pixmaps and icons: opaque where the mask is clear, fully transparent where it
// is set.
#pragma once

#include <QIcon>
#include <QImage>

#include "core/tray/IconImage.h"

namespace moravel {

QImage IconImageToQImage(const IconImage& icon);
// The icon at its own size and enlarged two and three times, nearest pixel (16, 32 and 48 device
// pixels for the tray's 16 × 16 picture); a null icon for an icon image of size 0.
QIcon IconImageToQIcon(const IconImage& icon);

}  // namespace moravel
