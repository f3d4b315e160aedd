// The frame pictures under resources/ and the ones the renderer paints must be the same pictures.
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "core/render/IconFrame.h"
#include "qt/QtImageLoader.h"

namespace moravel {
namespace {

TEST(IconFrameResourceTest, ResourceFilesMatchThePaintedFramesPixelForPixel) {
    const char* files[] = {"IconGraphFrame0.png", "IconGraphFrame1.png"};
    for (std::int32_t element = 0; element < 2; ++element) {
        SCOPED_TRACE(files[element]);
        const std::string path = std::string(MORAVEL_SOURCE_DIR) + "/resources/" + files[element];
        const QImage image(QString::fromStdString(path));
        ASSERT_EQ(image.size(), QSize(16, 16));

        // Transparent pixels come out as the surface's background: the button face.
        QtImageLoader loader;
        Surface loaded;
        loaded.SetBackColor(kButtonFaceColour);
        ASSERT_EQ(loader.Load(path, loaded), ImageLoadStatus::Ok);

        Surface painted;
        PaintIconFrame(painted, element);
        ASSERT_EQ(painted.Width(), 16);
        ASSERT_EQ(painted.Height(), 16);
        int clear = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                EXPECT_EQ(loaded.Pixel(x, y), painted.Pixel(x, y)) << x << "," << y;
                const int alpha = qAlpha(image.pixel(x, y));
                EXPECT_TRUE(alpha == 0 || alpha == 255);
                clear += alpha == 0;
            }
        }
        EXPECT_EQ(clear, 32);  // two clear rows or columns
    }
}

}  // namespace
}  // namespace moravel
