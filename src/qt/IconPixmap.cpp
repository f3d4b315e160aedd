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
    explicit IconPictureEngine(QList<QPixmap> pictures) : pictures_(std::move(pictures)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->drawPixmap(rect, Fitting(rect.size()));
    }
    // The largest picture that fits; never larger than the largest (as with Qt's icons); smaller
    // than the smallest keeps its proportions.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const QSize own = Fitting(size).size();
        return own.width() <= size.width() && own.height() <= size.height()
                   ? own
                   : own.scaled(size, Qt::KeepAspectRatio);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const QPixmap& picture = Fitting(size);
        const QSize actual = actualSize(size, mode, state);
        return actual == picture.size()
                   ? picture
                   : picture.scaled(actual, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const QPixmap& picture : pictures_) {
            sizes.append(picture.size());
        }
        return sizes;
    }
    QString key() const override { return QStringLiteral("moravel-icon-picture"); }
    QIconEngine* clone() const override { return new IconPictureEngine(pictures_); }

  private:
    const QPixmap& Fitting(const QSize& size) const {
        const QPixmap* best = &pictures_.front();
        for (const QPixmap& picture : pictures_) {
            if (picture.width() <= size.width() && picture.height() <= size.height()) {
                best = &picture;
            }
        }
        return *best;
    }

    QList<QPixmap> pictures_;
};

}  // namespace

QImage IconImageToQImage(const IconImage& icon) {
    const int size = icon.size();
    if (size <= 0) {
        return QImage();
    }
    // The icon's pixel words are 0x00RRGGBB, Qt's 0xAARRGGBB without the alpha: the mask gives it.
    QImage image(size, size, QImage::Format_ARGB32);
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
    // The picture itself and its whole-factor enlargements: a tray of 32 or 48 device pixels
    // takes its own size instead of smoothing the small one.
    QList<QPixmap> pictures;
    for (const std::int32_t factor : {1, 2, 3}) {
        pictures.append(QPixmap::fromImage(IconImageToQImage(ScaleIconImage(icon, factor))));
    }
    return QIcon(new IconPictureEngine(std::move(pictures)));
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
