// Pictures written as PNG files through the Windows Imaging Component's encoder: moravel-tool's
// pictures on Windows.
#pragma once

#include <string>

#include "core/render/Surface.h"
#include "core/tray/IconImage.h"

namespace moravel {

// The surface's pixels as an opaque 24-bit PNG file. The picture is encoded in memory first and
// then replaces the file atomically, so a failure leaves no half-written file. False when the
// surface has no pixels, the encoder fails or the file cannot be written.
bool WritePngFile(const Surface& picture, const std::string& path);

// The icon as a 32-bit PNG file with straight alpha: its colours where the mask is clear, fully
// transparent where it is set. As above otherwise.
bool WritePngFile(const IconImage& icon, const std::string& path);

}  // namespace moravel
