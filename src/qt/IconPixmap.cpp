#include "qt/IconPixmap.h"

#include <QFile>
#include <QImageReader>
#include <QPixmap>

namespace moravel {

QImage IconImageToQImage(const IconImage& icon) {
    const int size = icon.size();
    if (size <= 0) {
        return QImage();
    }
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            if (icon.IsTransparent(x, y)) {
                line[x] = qRgba(0, 0, 0, 0);
            } else {
                const std::uint32_t c = icon.ColorAt(x, y);
                line[x] = qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                               static_cast<int>((c >> 16) & 0xFF));
            }
        }
    }
    return image;
}

QIcon IconImageToQIcon(const IconImage& icon) {
    const QImage image = IconImageToQImage(icon);
    if (image.isNull()) {
        return QIcon();
    }
    return QIcon(QPixmap::fromImage(image));
}

QImage ResourcePicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QImage();
    }
    QImageReader reader(&file, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 256}) {
        icon.addPixmap(
            QPixmap::fromImage(ResourcePicture(QStringLiteral(":/app/moravel-%1.png").arg(size))));
    }
    return icon;
}

}  // namespace moravel
