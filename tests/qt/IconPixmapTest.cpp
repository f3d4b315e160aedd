#include "qt/IconPixmap.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace moravel
