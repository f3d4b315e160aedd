#include "qt/IconPixmap.h"

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
    if (icon.size() <= 0) {
        return QIcon();
    }
    // The picture itself and its whole-factor enlargements: a tray of 32 or 48 device pixels
    // takes its own size instead of smoothing the small one.
    QIcon result;
    for (const std::int32_t factor : {1, 2, 3}) {
        result.addPixmap(QPixmap::fromImage(IconImageToQImage(ScaleIconImage(icon, factor))));
    }
    return result;
}

}  // namespace moravel
