// render's services in the Qt build: Qt's font engine and image reader on the offscreen platform,
// pictures written by Qt's PNG writer.
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "RenderPlatform.h"
#include "qt/IconPixmap.h"
#include "qt/QtFontEngine.h"
#include "qt/QtImageLoader.h"
#include "qt/QtText.h"
#include "qt/SurfaceImage.h"

namespace moravel::tool {
namespace {

// Qt's notes about the session (no runtime folder, no display) are noise for a command-line tool;
// only its errors are shown.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "moravel-tool: %s\n", message.toLocal8Bit().constData());
    }
}

// The application object Qt's fonts need, made on the offscreen platform unless the caller
// asked for another.
QGuiApplication* MakeApplication() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(QuietQtMessages);
    static int argc = 1;
    static char name[] = "moravel-tool";
    static char* argv[] = {name, nullptr};
    return new QGuiApplication(argc, argv);
}

bool SavePng(const QImage& image, const std::string& path) {
    return image.save(ToQString(path), "PNG");
}

class QtRenderPlatform final : public RenderPlatform {
  public:
    explicit QtRenderPlatform(double dpi) : app_(MakeApplication()), fonts_(dpi) {}

    FontEngine& Fonts() override { return fonts_; }
    ImageLoader& Images() override { return images_; }
    bool WritePicture(const Surface& picture, const std::string& path) override {
        return SavePng(SurfaceImage(picture), path);
    }
    bool WriteIcon(const IconImage& icon, const std::string& path) override {
        return SavePng(IconImageToQImage(icon), path);
    }

  private:
    std::unique_ptr<QGuiApplication> app_;  // before the services that need it
    QtFontEngine fonts_;
    QtImageLoader images_;
};

}  // namespace

std::unique_ptr<RenderPlatform> MakeRenderPlatform(double dpi) {
    return std::make_unique<QtRenderPlatform>(dpi);
}

}  // namespace moravel::tool
