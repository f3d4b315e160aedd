#include "qt/QtImageLoader.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <cstring>
#include <string>

#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::TempFolder;
using test::WriteBytes;

void PutLe(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

void PutBe(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
    }
}

// The CRC of PNG chunks.
std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

// A 24-bit bottom-up BMP, written byte by byte; pixels are 0x00BBGGRR, row by row from the top.
std::string BmpBytes(std::int32_t width, std::int32_t height,
                     const std::vector<std::uint32_t>& pixels) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = stride * static_cast<std::uint32_t>(height);
    std::string bytes(54 + imageBytes, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLe(bytes, 2, 54 + imageBytes, 4);
    PutLe(bytes, 10, 54, 4);
    PutLe(bytes, 14, 40, 4);
    PutLe(bytes, 18, static_cast<std::uint32_t>(width), 4);
    PutLe(bytes, 22, static_cast<std::uint32_t>(height), 4);
    PutLe(bytes, 26, 1, 2);
    PutLe(bytes, 28, 24, 2);
    PutLe(bytes, 34, imageBytes, 4);
    for (std::int32_t y = 0; y < height && !pixels.empty(); ++y) {
        const std::size_t row = 54 + stride * static_cast<std::uint32_t>(height - 1 - y);
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint32_t c = pixels[static_cast<std::size_t>(y * width + x)];
            bytes[row + x * 3 + 0] = static_cast<char>((c >> 16) & 0xFF);  // blue
            bytes[row + x * 3 + 1] = static_cast<char>((c >> 8) & 0xFF);   // green
            bytes[row + x * 3 + 2] = static_cast<char>(c & 0xFF);          // red
        }
    }
    return bytes;
}

std::string Encoded(const QImage& image, const char* format) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

// A 4 x 3 test card: red, green, blue, white on the top row, grey below.
QImage TestCard() {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 255, 0));
    image.setPixel(2, 0, qRgb(0, 0, 255));
    image.setPixel(3, 0, qRgb(255, 255, 255));
    return image;
}

void ExpectTestCard(const Surface& surface, int tolerance) {
    ASSERT_EQ(surface.Width(), 4);
    ASSERT_EQ(surface.Height(), 3);
    const std::uint32_t expected[] = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF};
    for (int x = 0; x < 4; ++x) {
        const Colour c = surface.Pixel(x, 0);
        for (int shift : {0, 8, 16}) {
            EXPECT_NEAR(static_cast<int>((c >> shift) & 0xFF),
                        static_cast<int>((expected[x] >> shift) & 0xFF), tolerance)
                << "pixel " << x << " channel " << shift;
        }
    }
    EXPECT_NEAR(static_cast<int>(RedOf(surface.Pixel(2, 2))), 128, tolerance);
}

class QtImageLoaderTest : public ::testing::Test {
  protected:
    TempFolder folder_;
    QtImageLoader loader_;
};

TEST_F(QtImageLoaderTest, HandMadeBmpNamedDatIsReadByContent) {
    const std::string path = folder_.File("Pattern.dat");
    WriteBytes(path, BmpBytes(2, 3, {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x000000, 0x123456}));

    Surface surface;
    ASSERT_EQ(loader_.Load(path, surface), ImageLoadStatus::Ok);
    ASSERT_EQ(surface.Width(), 2);
    ASSERT_EQ(surface.Height(), 3);
    EXPECT_EQ(surface.Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(surface.Pixel(1, 0), 0x00FF00u);
    EXPECT_EQ(surface.Pixel(0, 1), 0xFF0000u);
    EXPECT_EQ(surface.Pixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(surface.Pixel(0, 2), 0x000000u);
    EXPECT_EQ(surface.Pixel(1, 2), 0x123456u);
}

TEST_F(QtImageLoaderTest, EveryFormatIsRecognisedWhateverTheFileIsCalled) {
    // Lossless formats give the exact pixels; JPEG comes close. The names lie on purpose.
    const struct {
        const char* format;
        const char* name;
        int tolerance;
    } cases[] = {
        {"BMP", "card.jpg", 0},
        {"PNG", "card.gif", 0},
        {"ICO", "card.bmp", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        const std::string path = folder_.File(c.name);
        WriteBytes(path, Encoded(TestCard(), c.format));
        Surface surface;
        ASSERT_EQ(loader_.Load(path, surface), ImageLoadStatus::Ok);
        ExpectTestCard(surface, c.tolerance);
    }
}

TEST_F(QtImageLoaderTest, JpegIsDecodedCloseToItsPixels) {
    // JPEG is lossy and shares colour between neighbours: blocks of 16 x 16, checked inside.
    QImage blocks(32, 16, QImage::Format_RGB32);
    blocks.fill(QColor(255, 0, 0));
    for (int y = 0; y < 16; ++y) {
        for (int x = 16; x < 32; ++x) {
            blocks.setPixel(x, y, qRgb(0, 0, 255));
        }
    }
    const std::string path = folder_.File("blocks.bmp");
    WriteBytes(path, Encoded(blocks, "JPEG"));
    Surface surface;
    ASSERT_EQ(loader_.Load(path, surface), ImageLoadStatus::Ok);
    ASSERT_EQ(surface.Width(), 32);
    ASSERT_EQ(surface.Height(), 16);
    EXPECT_GT(RedOf(surface.Pixel(4, 8)), 220u);
    EXPECT_LT(BlueOf(surface.Pixel(4, 8)), 40u);
    EXPECT_GT(BlueOf(surface.Pixel(27, 8)), 220u);
    EXPECT_LT(RedOf(surface.Pixel(27, 8)), 40u);
}

TEST_F(QtImageLoaderTest, GifIsDecodedToItsPixels) {
    // Qt writes no GIF; the shipped graph paper is one (a faint line every tenth column, rows in
    // pairs of two shades).
    const std::string path = std::string(MORAVEL_SOURCE_DIR) + "/data/Themes/paper.gif";
    Surface surface;
    ASSERT_EQ(loader_.Load(path, surface), ImageLoadStatus::Ok);
    ASSERT_EQ(surface.Width(), 60);
    EXPECT_EQ(surface.Pixel(9, 0), Rgb(205, 222, 238));
    EXPECT_EQ(surface.Pixel(0, 0), Rgb(249, 247, 234));
    EXPECT_EQ(surface.Pixel(0, 2), Rgb(252, 250, 238));
    EXPECT_EQ(surface.Pixel(59, 99), Rgb(205, 222, 238));
}

TEST_F(QtImageLoaderTest, TransparentPixelsShowTheTargetsBackgroundColour) {
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(255, 0, 0, 0));
    image.setPixel(2, 0, qRgba(255, 255, 255, 128));
    const std::string path = folder_.File("alpha.png");
    WriteBytes(path, Encoded(image, "PNG"));

    Surface surface;
    surface.SetBackColor(0x00FF0000);  // blue
    ASSERT_EQ(loader_.Load(path, surface), ImageLoadStatus::Ok);
    EXPECT_EQ(surface.Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(surface.Pixel(1, 0), 0xFF0000u);
    EXPECT_EQ(surface.Pixel(2, 0), Rgb(128, 128, 255));

    // A system colour as background is resolved (button face of the classic scheme).
    Surface face;
    face.SetBackColor(kButtonFaceColour);
    ASSERT_EQ(loader_.Load(path, face), ImageLoadStatus::Ok);
    EXPECT_EQ(face.Pixel(1, 0), ResolveColour(kButtonFaceColour));
}

TEST_F(QtImageLoaderTest, FailuresLeaveTheTargetAsItWas) {
    // A header announcing 20000 pixels on a side, one announcing 81 megapixels, garbage, an
    // empty file, a missing file and a folder.
    WriteBytes(folder_.File("wide.bmp"), BmpBytes(20000, 1, {}).substr(0, 54));
    WriteBytes(folder_.File("huge.bmp"), BmpBytes(9000, 9000, {}).substr(0, 54));
    QImage big(1, 1, QImage::Format_RGB32);
    std::string png = Encoded(big, "PNG");
    PutLe(png, 16, 0x50460000, 4);  // IHDR width 18000 (big-endian 0x00004650)
    PutBe(png, 29, Crc32(png.substr(12, 17)));
    WriteBytes(folder_.File("wide.png"), png);
    WriteBytes(folder_.File("junk.dat"), "this is not a picture at all");
    WriteBytes(folder_.File("empty.bmp"), "");
    QImage card(64, 64, QImage::Format_RGB32);
    card.fill(Qt::green);
    std::string truncated = Encoded(card, "PNG");
    truncated.resize(60);
    WriteBytes(folder_.File("truncated.png"), truncated);

    const struct {
        std::string path;
        ImageLoadStatus status;
    } cases[] = {
        {folder_.File("wide.bmp"), ImageLoadStatus::TooLarge},
        {folder_.File("huge.bmp"), ImageLoadStatus::TooLarge},
        {folder_.File("wide.png"), ImageLoadStatus::TooLarge},
        {folder_.File("junk.dat"), ImageLoadStatus::Unreadable},
        {folder_.File("empty.bmp"), ImageLoadStatus::Unreadable},
        {folder_.File("truncated.png"), ImageLoadStatus::Unreadable},
        {folder_.File("missing.bmp"), ImageLoadStatus::Missing},
        {folder_.path(), ImageLoadStatus::Missing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        Surface surface(5, 4);
        surface.SetBackColor(0x00ABCDEF);
        surface.Clear();
        EXPECT_EQ(loader_.Load(c.path, surface), c.status);
        EXPECT_EQ(surface.Width(), 5);
        EXPECT_EQ(surface.Height(), 4);
        EXPECT_EQ(surface.Pixel(4, 3), 0x00ABCDEFu);
    }
}

TEST_F(QtImageLoaderTest, ShippedThemePicturesLoad) {
    const std::string themes = std::string(MORAVEL_SOURCE_DIR) + "/data/Themes/";
    const struct {
        const char* name;
        int width;
        int height;
    } files[] = {
        {"Pattern.dat", 32, 100}, {"rainbow.bmp", 180, 64}, {"night.jpg", 320, 100},
        {"paper.gif", 60, 100},   {"brick.ico", 32, 32},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        Surface surface;
        ASSERT_EQ(loader_.Load(themes + f.name, surface), ImageLoadStatus::Ok);
        EXPECT_EQ(surface.Width(), f.width);
        EXPECT_EQ(surface.Height(), f.height);
    }
}

}  // namespace
}  // namespace moravel
