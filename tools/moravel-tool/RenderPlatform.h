// What `render` draws with and writes through: a front end's text and picture services. The Qt
// build uses Qt's (offscreen), the Windows build GDI and the Windows Imaging Component, so each
// tool draws exactly as the program of its platform does.
#pragma once

#include <memory>
#include <string>

#include "core/render/FontEngine.h"
#include "core/render/ImageLoader.h"
#include "core/render/Surface.h"
#include "core/tray/IconImage.h"

namespace moravel::tool {

class RenderPlatform {
  public:
    RenderPlatform() = default;
    virtual ~RenderPlatform() = default;
    RenderPlatform(const RenderPlatform&) = delete;
    RenderPlatform& operator=(const RenderPlatform&) = delete;

    virtual FontEngine& Fonts() = 0;
    virtual ImageLoader& Images() = 0;
    // Writes the picture as an opaque PNG file, replacing `path`; false when it cannot.
    virtual bool WritePicture(const Surface& picture, const std::string& path) = 0;
    // Writes the icon as a PNG file with its transparency (alpha 0 where the mask is set).
    virtual bool WriteIcon(const IconImage& icon, const std::string& path) = 0;
};

// This build's platform, measuring text at `dpi`. Needs no display.
std::unique_ptr<RenderPlatform> MakeRenderPlatform(double dpi);

}  // namespace moravel::tool
