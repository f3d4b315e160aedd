#include "qt/QtImageLoader.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include "core/os/TextFile.h"
#include "qt/QtText.h"

namespace moravel {
namespace {

// The decoded picture of the largest allowed size, 32 bits a pixel, in megabytes.
constexpr int kAllocationLimitMegabytes =
    static_cast<int>(kMaxImagePixels * 4 / (std::int64_t{1024} * 1024)) + 1;

std::uint32_t Mix(std::uint32_t over, std::uint32_t under, std::uint32_t alpha) {
    return (over * alpha + under * (255 - alpha) + 127) / 255;
}

}  // namespace

ImageLoadStatus QtImageLoader::Load(const std::string& path, Surface& target) {
    if (!IsFile(path)) {
        return ImageLoadStatus::Missing;
    }
    QFile file(ToQString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return ImageLoadStatus::Unreadable;
    }
    // Read from the device, so the format comes from the content alone (Pattern.dat is a BMP).
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    QImageReader::setAllocationLimit(kAllocationLimitMegabytes);
    if (!reader.canRead()) {
        return ImageLoadStatus::Unreadable;
    }
    const QSize announced = reader.size();
    if (announced.isValid() && !ImageSizeAllowed(announced.width(), announced.height())) {
        return ImageLoadStatus::TooLarge;
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        return ImageLoadStatus::Unreadable;
    }
    if (!ImageSizeAllowed(image.width(), image.height())) {
        return ImageLoadStatus::TooLarge;
    }
    image.convertTo(QImage::Format_ARGB32);
    if (image.isNull()) {
        return ImageLoadStatus::Unreadable;
    }

    const Colour back = ResolveColour(target.BackColor());
    target.Resize(image.width(), image.height());
    // ARGB32 without its alpha is the surface's own pixel word (0x00RRGGBB).
    PixelWord* out = target.Pixels();
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            const auto alpha = static_cast<std::uint32_t>(qAlpha(p));
            if (alpha == 255) {
                *out++ = p & 0x00FFFFFFu;
                continue;
            }
            const auto r = static_cast<std::uint32_t>(qRed(p));
            const auto g = static_cast<std::uint32_t>(qGreen(p));
            const auto b = static_cast<std::uint32_t>(qBlue(p));
            *out++ = ToPixel(Rgb(Mix(r, RedOf(back), alpha), Mix(g, GreenOf(back), alpha),
                                 Mix(b, BlueOf(back), alpha)));
        }
    }
    return ImageLoadStatus::Ok;
}

}  // namespace moravel
