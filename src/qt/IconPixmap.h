// Icon images as Qt pixmaps and icons: opaque where the mask is clear, fully transparent where it
// is set.
#pragma once

#include <QIcon>
#include <QImage>

#include "core/tray/IconImage.h"

namespace moravel {

QImage IconImageToQImage(const IconImage& icon);
// A null icon for an icon image of size 0.
QIcon IconImageToQIcon(const IconImage& icon);

}  // namespace moravel
