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

// A PNG picture of the program's own resources (":/..."), read by Qt's built-in PNG reader: left
// to find the format itself, Qt would load every image-format plugin to ask it. Null when missing.
QImage ResourcePicture(const QString& path);
// The program's own icon, in every size the resources hold.
QIcon ProgramIcon();

}  // namespace moravel
