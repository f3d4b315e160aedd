#include "qt/IconPixmap.h"

#include <QPixmap>

namespace moravel {

QImage IconImageToQImage(const IconImage& icon) {
    const int size = icon.size();
    if (size <= 0) {
        return QImage();
    }
    // The icon's pixel words are 0x00RRGGBB, Qt's 0xAARRGGBB without the alpha: the mask gives it.
    // Every pixel is opaque or wholly transparent (and then black), so the words are premultiplied
    // already, the format Qt keeps pixmaps in.
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    const PixelWord* color = icon.color().data();
    for (int y = 0; y < size; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            line[x] = icon.IsTransparent(x, y) ? 0u : 0xFF000000u | color[y * size + x];
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

}  // namespace moravel
