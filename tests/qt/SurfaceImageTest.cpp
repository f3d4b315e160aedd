#include "qt/SurfaceImage.h"

#include <gtest/gtest.h>

namespace moravel {
namespace {

// The colour of a pixel as 0xRRGGBB.
QRgb RgbAt(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFFu;
}

TEST(SurfaceImageTest, ColoursComeThroughOpaqueAndTheImageReadsTheSurfaceItself) {
    Surface surface(3, 2);  // an odd width: rows of the image follow the surface's own
    surface.SetBackColor(0x203040);
    surface.Clear();
    surface.SetPixel(0, 0, 0x0000FF);  // red in 0x00BBGGRR
    surface.SetPixel(2, 1, 0xFF0000);  // blue
    surface.SetPixel(1, 1, 0x00FF00);

    const QImage image = SurfaceImage(surface);
    ASSERT_EQ(image.size(), QSize(3, 2));
    EXPECT_FALSE(image.hasAlphaChannel());  // the top byte is never transparency
    EXPECT_EQ(RgbAt(image, 0, 0), 0xFF0000u);
    EXPECT_EQ(RgbAt(image, 2, 1), 0x0000FFu);
    EXPECT_EQ(RgbAt(image, 1, 1), 0x00FF00u);
    EXPECT_EQ(RgbAt(image, 1, 0), 0x403020u);
    EXPECT_EQ(RgbAt(image, 0, 1), 0x403020u);

    // No copy: what is drawn next shows without a new conversion.
    surface.SetPixel(1, 0, 0x00FFFF);
    EXPECT_EQ(RgbAt(image, 1, 0), 0xFFFF00u);
}

}  // namespace
}  // namespace moravel
