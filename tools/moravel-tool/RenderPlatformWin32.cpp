// render's services in the Windows build: GDI's text, pictures read and written by the Windows
// Imaging Component. Nothing needs a window.
#include "RenderPlatform.h"
#include "win32/GdiFontEngine.h"
#include "win32/WicImageLoader.h"
#include "win32/WicPictureWriter.h"

namespace moravel::tool {
namespace {

class Win32RenderPlatform final : public RenderPlatform {
  public:
    explicit Win32RenderPlatform(double dpi) : fonts_(dpi) {}

    FontEngine& Fonts() override { return fonts_; }
    ImageLoader& Images() override { return images_; }
    bool WritePicture(const Surface& picture, const std::string& path) override {
        return WritePngFile(picture, path);
    }
    bool WriteIcon(const IconImage& icon, const std::string& path) override {
        return WritePngFile(icon, path);
    }

  private:
    GdiFontEngine fonts_;
    WicImageLoader images_;
};

}  // namespace

std::unique_ptr<RenderPlatform> MakeRenderPlatform(double dpi) {
    return std::make_unique<Win32RenderPlatform>(dpi);
}

}  // namespace moravel::tool
