#include "qt/IconPixmap.h"

#include <gtest/gtest.h>

#include <QPixmap>

#include <vector>

namespace moravel {
namespace {

TEST(IconPixmapTest, MaskedPixelsBecomeFullyTransparentAndTheRestKeepsItsColour) {
    std::vector<std::uint32_t> pixels(16 * 16, 0xC0C0C0);
    pixels[0] = 0x0000FF;           // red in 0x00BBGGRR
    pixels[16 * 5 + 3] = 0xFF0000;  // blue
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

TEST(IconPixmapTest, TheIconComesIn16And32And48PixelsCopiedPixelForPixel) {
    std::vector<std::uint32_t> pixels(16 * 16, 0xC0C0C0);
    pixels[0] = 0x0000FF;
    pixels[16 * 15 + 15] = 0x00FF00;
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
