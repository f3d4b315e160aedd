#include "qt/IconPixmap.h"

#include <QFile>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <utility>

namespace moravel {
namespace {

// The tray graph makes a new icon at every refresh. Qt's own engine for pixmap icons puts each
// picture it hands out into the global pixmap cache, and its bookkeeping keeps growing after the
// entries go: at one icon a second the process grew by about 1.6 KiB a second until the cache was
// full and by about 0.25 KiB a second for ever after. This engine draws its own pictures (the
// icon and its whole-factor enlargements, smallest first) as they are and keeps nothing.
class IconPictureEngine final : public QIconEngine {
  public:
    explicit IconPictureEngine(QImage picture) : picture_(std::move(picture)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->drawImage(rect, Enlarged(FactorFor(rect.size())));
    }
    // The largest enlargement that fits; never larger than the largest (as with Qt's icons);
    // smaller than the picture keeps its proportions.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const QSize own = picture_.size() * FactorFor(size);
        return own.width() <= size.width() && own.height() <= size.height()
                   ? own
                   : own.scaled(size, Qt::KeepAspectRatio);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const QImage picture = Enlarged(FactorFor(size));
        const QSize actual = actualSize(size, mode, state);
        return QPixmap::fromImage(
            actual == picture.size()
                ? picture
                : picture.scaled(actual, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int factor = 1; factor <= kLargestFactor; ++factor) {
            sizes.append(picture_.size() * factor);
        }
        return sizes;
    }
    QString key() const override { return QStringLiteral("moravel-icon-picture"); }
    QIconEngine* clone() const override { return new IconPictureEngine(picture_); }

  private:
    // The picture at 16 pixels is offered at 32 and 48 as well, made only when asked for: every
    // refresh makes a new icon, and most hosts ask for one size.
    static constexpr int kLargestFactor = 3;

    int FactorFor(const QSize& size) const {
        int factor = 1;
        while (factor < kLargestFactor && picture_.width() * (factor + 1) <= size.width() &&
               picture_.height() * (factor + 1) <= size.height()) {
            ++factor;
        }
        return factor;
    }
    // Whole-factor enlargement, each pixel a factor x factor square (nearest pixels).
    QImage Enlarged(int factor) const {
        return factor == 1 ? picture_
                           : picture_.scaled(picture_.size() * factor, Qt::IgnoreAspectRatio,
                                             Qt::FastTransformation);
    }

    QImage picture_;
};

}  // namespace

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
    if (icon.size() <= 0) {
        return QIcon();
    }
    // A tray of 32 or 48 device pixels takes a whole-factor enlargement instead of smoothing the
    // small picture.
    return QIcon(new IconPictureEngine(IconImageToQImage(icon)));
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
    // The sizes a window manager, a task switcher or a tray asks of a running program; the large
    // ones come from the icon theme by the desktop entry, and would only be kept in memory here.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        icon.addPixmap(
            QPixmap::fromImage(ResourcePicture(QStringLiteral(":/app/moravel-%1.png").arg(size))));
    }
    return icon;
}

}  // namespace moravel
