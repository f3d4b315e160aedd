#include "qt/IconPixmap.h"

#include <gtest/gtest.h>

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

TEST(IconPixmapTest, TheProgramsOwnPicturesComeFromItsResources) {
    const QList<QSize> sizes = ProgramIcon().availableSizes();
    for (const int size : {16, 32, 48, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
    EXPECT_EQ(sizes.size(), 4);
    const QImage frame = ResourcePicture(QStringLiteral(":/about/frame3.png"));
    EXPECT_EQ(frame.size(), QSize(48, 48));
    EXPECT_NE(frame.pixel(24, 24), frame.pixel(0, 0));  // a picture, not a blank
    EXPECT_TRUE(ResourcePicture(QStringLiteral(":/about/frame9.png")).isNull());
}

}  // namespace
}  // namespace moravel
