#include "qt/IconPixmap.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <fstream>
#include <string>
#include <vector>

namespace moravel {
namespace {

TEST(IconPixmapTest, MaskedPixelsBecomeFullyTransparentAndTheRestKeepsItsColour) {
    std::vector<PixelWord> pixels(16 * 16, ToPixel(0xC0C0C0));
    pixels[0] = ToPixel(0x0000FF);           // red in 0x00BBGGRR
    pixels[16 * 5 + 3] = ToPixel(0xFF0000);  // blue
    const IconImage icon = MakeIconImage(PixelView{pixels, 16, 16}, 0xC0C0C0);

    const QImage image = IconImageToQImage(icon);
    ASSERT_EQ(image.size(), QSize(16, 16));
    EXPECT_EQ(image.pixel(0, 0), qRgba(255, 0, 0, 255));
    EXPECT_EQ(image.pixel(3, 5), qRgba(0, 0, 255, 255));
    EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(15, 15)), 0);

    EXPECT_FALSE(IconImageToQIcon(icon).isNull());
    EXPECT_TRUE(IconImageToQIcon(IconImage(0)).isNull());
}

TEST(IconPixmapTest, TheProgramsOwnPicturesComeFromItsResources) {
    const QList<QSize> sizes = ProgramIcon().availableSizes();
    for (const int size : {16, 24, 32, 48, 64}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
    EXPECT_EQ(sizes.size(), 5);  // no larger picture held in memory
    const QImage frame = ResourcePicture(QStringLiteral(":/about/frame3.png"));
    EXPECT_EQ(frame.size(), QSize(48, 48));
    EXPECT_NE(frame.pixel(24, 24), frame.pixel(0, 0));  // a picture, not a blank
    EXPECT_TRUE(ResourcePicture(QStringLiteral(":/about/frame9.png")).isNull());
}

IconImage Picture(std::uint32_t colour) {
    std::vector<PixelWord> pixels(16 * 16, ToPixel(colour));
    pixels[0] = ToPixel(0xC0C0C0);  // one transparent corner
    return MakeIconImage(PixelView{pixels, 16, 16}, 0xC0C0C0);
}

TEST(IconPixmapTest, TheIconHandsOutItsPicturesAndNeverEnlargesThem) {
    const QIcon icon = IconImageToQIcon(Picture(0x0000FF));
    const QImage own = icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(own, IconImageToQImage(Picture(0x0000FF)).convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(icon.pixmap(QSize(64, 64)).size(), QSize(48, 48));  // the largest it has
    EXPECT_EQ(icon.pixmap(QSize(40, 40)).size(), QSize(32, 32));
    EXPECT_EQ(icon.pixmap(QSize(8, 8)).size(), QSize(8, 8));

    // Drawn into a larger place, as a tray host does: centred at its own size.
    QImage place(22, 22, QImage::Format_ARGB32);
    place.fill(Qt::transparent);
    QPainter painter(&place);
    icon.paint(&painter, QRect(0, 0, 22, 22));
    painter.end();
    EXPECT_EQ(place.pixel(4, 3), qRgba(255, 0, 0, 255));
    EXPECT_EQ(place.pixel(18, 18), qRgba(255, 0, 0, 255));
    EXPECT_EQ(qAlpha(place.pixel(3, 3)), 0);  // its transparent corner
    EXPECT_EQ(qAlpha(place.pixel(19, 19)), 0);
}

#if defined(__linux__) && !defined(__SANITIZE_ADDRESS__)
long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// A day of the tray graph in miniature: a new icon every refresh, drawn by the tray host. With Qt's
// own pixmap icons 20000 of them kept about 18 MiB.
TEST(IconPixmapTest, ANewTrayIconEveryRefreshKeepsNoMemory) {
    QImage place(22, 22, QImage::Format_ARGB32);
    QPainter painter(&place);
    const auto draw = [&](int count) {
        for (int i = 0; i < count; ++i) {
            IconImageToQIcon(Picture(static_cast<std::uint32_t>(i) & 0xFFFFFF))
                .paint(&painter, QRect(0, 0, 22, 22));
        }
    };
    draw(1000);  // the heap settles
    const long before = ResidentKiB();
    draw(20000);
    EXPECT_LT(ResidentKiB() - before, 2048);
}
#endif

TEST(IconPixmapTest, TheIconComesIn16And32And48PixelsCopiedPixelForPixel) {
    std::vector<PixelWord> pixels(16 * 16, ToPixel(0xC0C0C0));
    pixels[0] = ToPixel(0x0000FF);
    pixels[16 * 15 + 15] = ToPixel(0x00FF00);
    const IconImage icon = MakeIconImage(PixelView{pixels, 16, 16}, 0xC0C0C0);
    const QIcon qicon = IconImageToQIcon(icon);
    EXPECT_EQ(qicon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
    for (const int size : {16, 32, 48}) {
        const QImage image = qicon.pixmap(size, size).toImage();
        ASSERT_EQ(image.size(), QSize(size, size)) << size;
        const int k = size / 16;
        // Whole squares of the small picture's pixels, with no blended edge.
        EXPECT_EQ(image.pixel(k - 1, k - 1), qRgba(255, 0, 0, 255)) << size;
        EXPECT_EQ(qAlpha(image.pixel(k, k - 1)), 0) << size;
        EXPECT_EQ(image.pixel(size - k, size - k), qRgba(0, 255, 0, 255)) << size;
        EXPECT_EQ(qAlpha(image.pixel(size - k - 1, size - k)), 0) << size;
    }
}

}  // namespace
}  // namespace moravel
